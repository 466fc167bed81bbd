#pragma once
// The library's entry, initialised for a test and released after it, and an
// instance made through its factory, destroyed with the test.
#include "formats/clap/abi/Gui.h"
#include "formats/clap/abi/NotePorts.h"
#include "formats/clap/abi/Params.h"
#include "formats/clap/abi/State.h"
#include "tests/clap/ClapLibrary.h"
#include "tests/clap/ClapTestHost.h"

#include <gtest/gtest.h>

class ClapEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        entry = clapEntry();
        ASSERT_NE(entry, nullptr) << "QarnViewer.clap or its clap_entry is missing";
        ASSERT_TRUE(entry->init("QarnViewer.clap"));
        factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
        ASSERT_NE(factory, nullptr);
    }
    void TearDown() override
    {
        if (entry)
            entry->deinit();
    }

    const clap_plugin_entry_t* entry = nullptr;
    const clap_plugin_factory_t* factory = nullptr;
};

class ClapInstance {
public:
    ClapInstance(const clap_plugin_factory_t* factory, const ClapTestHost& host)
        : plugin(factory->create_plugin(factory, host.record(), "com.qarn.viewer"))
    {
    }
    ~ClapInstance()
    {
        if (plugin)
            plugin->destroy(plugin);
    }
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    // Initialised, activated at 48 kHz for blocks up to 512 frames, processing.
    bool start() const
    {
        return plugin && plugin->init(plugin) && plugin->activate(plugin, 48000.0, 1, 512) &&
            plugin->start_processing(plugin);
    }
    clap_process_status process(const EventList& in, const OutputList& out) const
    {
        clap_process_t block{-1, 64, nullptr, nullptr, nullptr, 0, 0, in.list(), out.list()};
        return plugin->process(plugin, &block);
    }
    template <typename Extension> const Extension* extension(const char* id) const
    {
        return static_cast<const Extension*>(plugin->get_extension(plugin, id));
    }
    const clap_plugin_params_t* params() const { return extension<clap_plugin_params_t>(CLAP_EXT_PARAMS); }
    const clap_plugin_state_t* state() const { return extension<clap_plugin_state_t>(CLAP_EXT_STATE); }
    const clap_plugin_gui_t* gui() const { return extension<clap_plugin_gui_t>(CLAP_EXT_GUI); }
    double instrument() const
    {
        double value = -1.0;
        params()->get_value(plugin, 0, &value);
        return value;
    }
    // Selects an instrument the way a host does outside processing.
    void selectInstrument(double value) const
    {
        EventList in;
        in.paramValue(0, value);
        OutputList out;
        params()->flush(plugin, in.list(), out.list());
    }

    const clap_plugin_t* const plugin;
};
