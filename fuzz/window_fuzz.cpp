// Random sessions over every window of the table: texts of any bytes into
// any box, presses, option clicks, keys. No sequence may crash, hang, name an
// undeclared control, or leave a box longer than it admits or a shown inf/NaN.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "app/toolsession.h"
#include "framework/utf8.h"
#include "framework/windowmodel.h"

using namespace kz;

namespace {

const char* const kKeys[] = {"Enter", "Esc", "KP+", "KP-", "KP*", "KP/", "+", "-", "*", "/", ".", "=",
                             "0",     "1",   "5",   "9",   "A",   "D",   "J", "Y", "Z", "C", "F", "S"};

void check(const WindowModel& m) {
    for (const ControlDecl& d : m.decl().controls) {
        const ControlState& s = m.state(d.name);
        if (d.kind == ControlKind::Input) {
            if (d.maxLength > 0 && utf8Length(s.text) > static_cast<std::size_t>(d.maxLength)) {
                std::fprintf(stderr, "%s: %s holds more than %d characters\n", m.form().c_str(), d.name.c_str(), d.maxLength);
                std::abort();
            }
            continue;
        }
        for (const std::string& t : {s.text}) {
            std::string lower;
            for (char c : t) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            if (lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos) {
                std::fprintf(stderr, "%s: %s shows %s\n", m.form().c_str(), d.name.c_str(), t.c_str());
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto& forms = windowForms();
    auto m = openWindowModel(forms[in.ConsumeIntegralInRange<std::size_t>(0, forms.size() - 1)]);
    const auto& controls = m->decl().controls;
    for (int step = 0; step < 24 && in.remaining_bytes() > 0 && !m->closed(); ++step) {
        const int action = in.ConsumeIntegralInRange(0, 3);
        const ControlDecl& c = controls[in.ConsumeIntegralInRange<std::size_t>(0, controls.size() - 1)];
        if (action == 0) {
            const std::string text = in.ConsumeRandomLengthString(400);
            if (c.kind == ControlKind::Input) m->edit(c.name, text);
            else if ((c.kind == ControlKind::Combo || c.kind == ControlKind::Tabs) && !c.entries.empty())
                m->edit(c.name, c.entries[text.size() % c.entries.size()]);
            else if (c.kind == ControlKind::List && !m->state(c.name).lines.empty())
                m->edit(c.name, m->state(c.name).lines[text.size() % m->state(c.name).lines.size()]);
        } else if (action == 1) {
            if (c.kind == ControlKind::Button) m->press(c.name);
        } else if (action == 2) {
            if (c.kind == ControlKind::Option || c.kind == ControlKind::Check || c.kind == ControlKind::Tabs) m->select(c.name);
        } else {
            m->key(kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)]);
        }
        settleJobs(*m);
        (void)m->takeEvents();
        check(*m);
    }
    return 0;
}
