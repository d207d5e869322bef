// Random sessions over every window of the table: texts of any bytes into
// any box, presses (the working toggle included), option clicks, keys. No
// sequence may crash, hang, name an undeclared control, or leave a box longer
// than it admits or a shown inf/NaN; the working toggle changes nothing else,
// and a working never disagrees with the answer it explains.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
                std::fprintf(stderr, "%s: %s holds more than %d characters\n", m.form().c_str(), d.name.c_str(),
                             d.maxLength);
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

[[noreturn]] void fault(const WindowModel& m, const std::string& what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n%s\n", m.form().c_str(), what.c_str(), detail.c_str());
    std::abort();
}

// A number a Calculate wrote as its answer is in its working: the working
// explains the number the pupil copies, not another one. (Verdicts and
// products written with "*" are checked by each window's own tests.)
void checkWorking(const WindowModel& m) {
    if (m.working().empty() || m.decl().copyPrimary.empty()) return;
    bool calculates = false;
    for (const ControlDecl& d : m.decl().controls) calculates |= d.role == ButtonRole::Calculate;
    if (!calculates) return;  // a tape, not the outcome of a Calculate
    const std::string& answer = m.state(m.decl().copyPrimary).text;
    const std::string plain = m.working().plainText();
    if (plain.size() > 200000) fault(m, "working too long", std::to_string(plain.size()));
    if (!answer.empty() && tryStrictNumber(answer) && plain.find(answer) == std::string::npos)
        fault(m, "working without the answer " + answer, plain);
}

std::vector<ControlState> othersThan(const WindowModel& m, std::string_view name) {
    std::vector<ControlState> s;
    for (const ControlDecl& d : m.decl().controls)
        if (d.name != name) s.push_back(m.state(d.name));
    return s;
}

bool same(const std::vector<ControlState>& a, const std::vector<ControlState>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].text != b[i].text || a[i].enabled != b[i].enabled || a[i].visible != b[i].visible ||
            a[i].checked != b[i].checked || a[i].selected != b[i].selected || a[i].lines != b[i].lines)
            return false;
    return true;
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
            if (c.kind == ControlKind::Button && c.addition) {
                const auto before = othersThan(*m, c.name);
                m->press(c.name);
                if (!same(before, othersThan(*m, c.name))) fault(*m, "the working toggle changed a control", c.name);
            } else if (c.kind == ControlKind::Button) {
                m->press(c.name);
            }
        } else if (action == 2) {
            if (c.kind == ControlKind::Option || c.kind == ControlKind::Check || c.kind == ControlKind::Tabs)
                m->select(c.name);
        } else {
            m->key(kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)]);
        }
        settleJobs(*m);
        (void)m->takeEvents();
        check(*m);
        checkWorking(*m);
    }
    return 0;
}
