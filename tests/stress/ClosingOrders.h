#pragma once
// Orders in which to close eight instances: first to last, last to first,
// odd and even halves, outside in, and `shuffled` more from a fixed seed, so
// every run closes them the same ways.
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

inline std::vector<std::vector<size_t>> closingOrdersOfEight(int shuffled)
{
    std::vector<std::vector<size_t>> orders;
    std::vector<size_t> order(8);
    std::iota(order.begin(), order.end(), 0);
    orders.push_back(order);
    orders.emplace_back(order.rbegin(), order.rend());
    orders.push_back({0, 2, 4, 6, 1, 3, 5, 7});
    orders.push_back({7, 0, 6, 1, 5, 2, 4, 3});
    std::mt19937 shuffle(8);
    for (int i = 0; i < shuffled; ++i) {
        std::shuffle(order.begin(), order.end(), shuffle);
        orders.push_back(order);
    }
    return orders;
}
