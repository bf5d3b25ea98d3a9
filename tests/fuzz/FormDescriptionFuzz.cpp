// Fuzz target: a form description read into a form whose classes carry one
// property of every kind. Every input must load or raise the library's
// exception; nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../classlib/core/FormTestClasses.h"
#include "classlib/core/FormReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TClassRegistry* const classes = [] {
        auto* registry = new TClassRegistry;
        formtest::RegisterTestClasses(*registry);
        return registry;
    }();
    static TFormHandlers* const handlers = [] {
        auto* table = new TFormHandlers;
        table->Add<formtest::TNotifyEvent>("Clicked", [](TObject*) {});
        return table;
    }();
    try {
        formtest::TTestForm form(nullptr);
        TFormReader reader(*classes);
        reader.Handlers = handlers;
        reader.ReadInto(std::string_view(reinterpret_cast<const char*>(data), size), form);
    } catch (const Exception&) {
    }
    return 0;
}
