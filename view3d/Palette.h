#pragma once
// The colours both instruments are made of. Everything in the scene is lit:
// a part's look is its material on the front faces (no vertex colours, no
// colour-material mode), and a highlight replaces only the ambient-and-diffuse
// colour, keeping the specular colour and shininess the part already has.

struct Rgba {
    float r, g, b, a;
};

struct Material {
    Rgba ambientDiffuse;
    Rgba specular;
    float shininess;
};

namespace palette {
constexpr Material pianoCase{{0.1f, 0.1f, 0.1f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.5f}, 5.0f}; // and the end blocks
constexpr Material whiteKey{{0.6f, 0.6f, 0.6f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 5.0f};
constexpr Material blackKey{{0.0f, 0.0f, 0.0f, 1.0f}, {0.6f, 0.6f, 0.6f, 1.0f}, 50.0f};
constexpr Material fluteBody{{0.6f, 0.6f, 0.6f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 5.0f}; // tube, rings, lip plate

// The embouchure hole keeps the body's shininess.
constexpr Rgba embouchureHole{0.0f, 0.0f, 0.0f, 1.0f}; // ambient, diffuse and specular
// Rods and keys keep the black specular colour the flute's body list leaves.
constexpr Rgba fluteKey{0.6f, 0.6f, 0.6f, 1.0f};
constexpr float fluteKeyShininess = 5.0f;

constexpr Rgba highlightRed{1.0f, 0.0f, 0.0f, 1.0f}; // key down (or a wrong note in practice)
constexpr Rgba highlightGreen{0.0f, 1.0f, 0.0f, 1.0f}; // note expected in practice
constexpr Rgba lightRed{1.0f, 0.6f, 0.6f, 1.0f}; // flute key moved by a linked key
} // namespace palette

// What a key shows on top of its own material: Base keeps the part's colour.
enum class KeyColour { Base, HighlightRed, HighlightGreen, LightRed };

// GL material calls on the front faces, for the current GL context.
void applyMaterial(const Material& material); // specular, shininess, then ambient and diffuse
void setAmbientDiffuse(const Rgba& colour);
void setSpecular(const Rgba& colour);
void setShininess(float shininess);
// Replaces the ambient-and-diffuse colour by a highlight; Base changes nothing.
void applyKeyColour(KeyColour colour);
