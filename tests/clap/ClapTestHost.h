#pragma once
// What a CLAP host hands a plug-in, for the tests: the host record with the
// extensions a host may offer (each one can be withheld), lists of events in
// and out, and byte streams that move a few bytes at a time or fail.
#include "formats/clap/abi/Entry.h"
#include "formats/clap/abi/Params.h"
#include "formats/clap/abi/State.h"
#include "formats/clap/abi/ThreadCheck.h"
#include "formats/clap/abi/TimerSupport.h"

#include <cstdint>
#include <string>
#include <vector>

class ClapTestHost {
public:
    ClapTestHost();
    ClapTestHost(const ClapTestHost&) = delete;
    ClapTestHost& operator=(const ClapTestHost&) = delete;

    const clap_host_t* record() const { return &host; }

    // Which extensions the host offers, and what its thread check says.
    bool offersTimers = true;
    bool offersParams = true;
    bool offersThreadCheck = false;
    bool onMainThread = true;

    // Timers registered and not unregistered, with their periods.
    struct Timer {
        clap_id id;
        uint32_t periodMs;
    };
    std::vector<Timer> timers;
    int valueRescans = 0;
    int flushRequests = 0;

    // Calls the plug-in's timer-support for every registered timer, as the
    // host's main loop does when they are due.
    void fireTimers(const clap_plugin_t* plugin) const;

private:
    static ClapTestHost& of(const clap_host_t* host) { return *static_cast<ClapTestHost*>(host->host_data); }
    static const void* extension(const clap_host_t* host, const char* id);

    clap_host_t host;
    clap_host_timer_support_t timerSupport;
    clap_host_params_t params;
    clap_host_thread_check_t threadCheck;
    clap_id nextTimer = 7;
};

// Input events as a host builds them for one block: any size of event, kept
// eight-byte aligned.
class EventList {
public:
    EventList();
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;

    EventList& noteOn(int16_t key, int16_t channel = 0, double velocity = 0.8);
    EventList& noteOff(int16_t key, int16_t channel = 0);
    EventList& midi(uint8_t status, uint8_t data1, uint8_t data2);
    EventList& paramValue(clap_id param, double value);
    // Any bytes with a header: `size` is what the header claims.
    EventList& raw(uint16_t space, uint16_t type, uint32_t size);
    // A null entry where an event should be.
    EventList& missing();

    const clap_input_events_t* list() const { return &events; }

private:
    template <typename Event> EventList& add(const Event& event);
    static uint32_t size(const clap_input_events_t* list);
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index);

    clap_input_events_t events;
    std::vector<std::vector<uint64_t>> storage;
};

// What the plug-in sends back: the parameter values it pushed.
class OutputList {
public:
    OutputList();
    OutputList(const OutputList&) = delete;
    OutputList& operator=(const OutputList&) = delete;

    bool acceptsEvents = true;
    std::vector<clap_event_param_value_t> values;

    const clap_output_events_t* list() const { return &events; }

private:
    static bool push(const clap_output_events_t* list, const clap_event_header_t* event);
    clap_output_events_t events;
};

// A stream that takes or gives at most `chunk` bytes a call, and fails (-1)
// from call number `failAt` on (counting from 0; never when negative).
class OutputStream {
public:
    explicit OutputStream(size_t chunk = SIZE_MAX, int failAt = -1);
    const clap_ostream_t* stream() const { return &record; }
    std::vector<uint8_t> bytes;

private:
    static int64_t write(const clap_ostream_t* stream, const void* buffer, uint64_t size);
    clap_ostream_t record;
    size_t chunk;
    int failAt;
    int calls = 0;
};

class InputStream {
public:
    explicit InputStream(std::vector<uint8_t> bytes, size_t chunk = SIZE_MAX, int failAt = -1);
    const clap_istream_t* stream() const { return &record; }
    // A broken host: each read answers more bytes than it was asked for.
    bool overstates = false;

private:
    static int64_t read(const clap_istream_t* stream, void* buffer, uint64_t size);
    clap_istream_t record;
    std::vector<uint8_t> bytes;
    size_t chunk;
    int failAt;
    int calls = 0;
    size_t position = 0;
};
