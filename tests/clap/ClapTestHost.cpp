#include "tests/clap/ClapTestHost.h"

#include "formats/clap/abi/TimerSupport.h"

#include <algorithm>
#include <cstring>

ClapTestHost::ClapTestHost()
    : host{CLAP_VERSION, this, "Test Host", "Qarn Tests", "", "1.0", extension, nullptr, nullptr, nullptr}
    , timerSupport{[](const clap_host_t* record, uint32_t periodMs, clap_id* id) {
                       ClapTestHost& self = of(record);
                       *id = self.nextTimer++;
                       self.timers.push_back({*id, periodMs});
                       return true;
                   },
          [](const clap_host_t* record, clap_id id) {
              auto& timers = of(record).timers;
              const auto found =
                  std::find_if(timers.begin(), timers.end(), [id](const Timer& t) { return t.id == id; });
              if (found == timers.end())
                  return false;
              timers.erase(found);
              return true;
          }}
    , params{[](const clap_host_t* record, clap_param_rescan_flags flags) {
                 if (flags & CLAP_PARAM_RESCAN_VALUES)
                     ++of(record).valueRescans;
             },
          [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
          [](const clap_host_t* record) { ++of(record).flushRequests; }}
    , threadCheck{[](const clap_host_t* record) { return of(record).onMainThread; },
          [](const clap_host_t* record) { return !of(record).onMainThread; }}
{
    host.request_restart = [](const clap_host_t*) {};
    host.request_process = [](const clap_host_t*) {};
    host.request_callback = [](const clap_host_t*) {};
}

const void* ClapTestHost::extension(const clap_host_t* record, const char* id)
{
    ClapTestHost& self = of(record);
    if (self.offersTimers && std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
        return &self.timerSupport;
    if (self.offersParams && std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &self.params;
    if (self.offersThreadCheck && std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0)
        return &self.threadCheck;
    return nullptr;
}

void ClapTestHost::fireTimers(const clap_plugin_t* plugin) const
{
    const auto* support =
        static_cast<const clap_plugin_timer_support_t*>(plugin->get_extension(plugin, CLAP_EXT_TIMER_SUPPORT));
    const std::vector<Timer> due = timers; // a timer may unregister itself
    for (const Timer& timer : due)
        support->on_timer(plugin, timer.id);
}

EventList::EventList()
    : events{this, size, get}
{
}

template <typename Event> EventList& EventList::add(const Event& event)
{
    std::vector<uint64_t> words((sizeof event + 7) / 8 + 1, 0);
    std::memcpy(words.data(), &event, sizeof event);
    storage.push_back(std::move(words));
    return *this;
}

EventList& EventList::noteOn(int16_t key, int16_t channel, double velocity)
{
    clap_event_note_t note{
        {sizeof note, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_ON, 0}, -1, 0, channel, key, velocity};
    return add(note);
}

EventList& EventList::noteOff(int16_t key, int16_t channel)
{
    clap_event_note_t note{
        {sizeof note, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_OFF, 0}, -1, 0, channel, key, 0.5};
    return add(note);
}

EventList& EventList::midi(uint8_t status, uint8_t data1, uint8_t data2)
{
    clap_event_midi_t midi{{sizeof midi, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0}, 0, {status, data1, data2}};
    return add(midi);
}

EventList& EventList::paramValue(clap_id param, double value)
{
    clap_event_param_value_t change{
        {sizeof change, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0}, param, nullptr, -1, -1, -1, -1, value};
    return add(change);
}

EventList& EventList::raw(uint16_t space, uint16_t type, uint32_t size)
{
    clap_event_header_t header{size, 0, space, type, 0};
    return add(header);
}

EventList& EventList::missing()
{
    storage.emplace_back();
    return *this;
}

uint32_t EventList::size(const clap_input_events_t* list)
{
    return static_cast<uint32_t>(static_cast<const EventList*>(list->ctx)->storage.size());
}

const clap_event_header_t* EventList::get(const clap_input_events_t* list, uint32_t index)
{
    const auto& storage = static_cast<const EventList*>(list->ctx)->storage;
    if (index >= storage.size() || storage[index].empty())
        return nullptr;
    return reinterpret_cast<const clap_event_header_t*>(storage[index].data());
}

OutputList::OutputList()
    : events{this, push}
{
}

bool OutputList::push(const clap_output_events_t* list, const clap_event_header_t* event)
{
    OutputList& self = *static_cast<OutputList*>(list->ctx);
    if (!self.acceptsEvents)
        return false;
    if (event->type == CLAP_EVENT_PARAM_VALUE && event->size >= sizeof(clap_event_param_value_t))
        self.values.push_back(*reinterpret_cast<const clap_event_param_value_t*>(event));
    return true;
}

OutputStream::OutputStream(size_t chunk, int failAt)
    : record{this, write}
    , chunk(chunk)
    , failAt(failAt)
{
}

int64_t OutputStream::write(const clap_ostream_t* stream, const void* buffer, uint64_t size)
{
    OutputStream& self = *static_cast<OutputStream*>(stream->ctx);
    if (self.failAt >= 0 && self.calls++ >= self.failAt)
        return -1;
    const size_t taken = static_cast<size_t>(std::min<uint64_t>(size, self.chunk));
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    self.bytes.insert(self.bytes.end(), bytes, bytes + taken);
    return static_cast<int64_t>(taken);
}

InputStream::InputStream(std::vector<uint8_t> bytes, size_t chunk, int failAt)
    : record{this, read}
    , bytes(std::move(bytes))
    , chunk(chunk)
    , failAt(failAt)
{
}

int64_t InputStream::read(const clap_istream_t* stream, void* buffer, uint64_t size)
{
    InputStream& self = *static_cast<InputStream*>(stream->ctx);
    if (self.failAt >= 0 && self.calls++ >= self.failAt)
        return -1;
    const size_t given = static_cast<size_t>(std::min<uint64_t>({size, self.chunk, self.bytes.size() - self.position}));
    std::memcpy(buffer, self.bytes.data() + self.position, given);
    self.position += given;
    return self.overstates ? static_cast<int64_t>(size + 1) : static_cast<int64_t>(given);
}
