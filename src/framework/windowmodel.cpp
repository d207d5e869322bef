#include "framework/windowmodel.h"

#include <algorithm>
#include <unordered_map>

#include "framework/utf8.h"

namespace kz {

// ---- declaration helpers ----

namespace {
ControlDecl make(std::string name, ControlKind kind, std::string text = {}) {
    ControlDecl c;
    c.name = std::move(name);
    c.kind = kind;
    c.text = std::move(text);
    return c;
}
}  // namespace

ControlDecl input(std::string name, int maxLength, FilterMode filter, std::string accessibleName) {
    auto c = make(std::move(name), ControlKind::Input);
    c.maxLength = maxLength;
    c.filter = filter;
    c.accessibleName = std::move(accessibleName);
    return c;
}
ControlDecl output(std::string name, std::string accessibleName) {
    auto c = make(std::move(name), ControlKind::Output);
    c.accessibleName = std::move(accessibleName);
    return c;
}
ControlDecl multiLineOutput(std::string name, std::string accessibleName) {
    auto c = make(std::move(name), ControlKind::MultiLineOutput);
    c.accessibleName = std::move(accessibleName);
    return c;
}
ControlDecl label(std::string name, std::string text) {
    return make(std::move(name), ControlKind::Label, std::move(text));
}
ControlDecl option(std::string name, std::string caption, std::string key, bool checked) {
    auto c = make(std::move(name), ControlKind::Option, std::move(caption));
    c.key = std::move(key);
    c.checked = checked;
    return c;
}
ControlDecl check(std::string name, std::string caption, bool checked) {
    auto c = make(std::move(name), ControlKind::Check, std::move(caption));
    c.checked = checked;
    return c;
}
ControlDecl combo(std::string name, std::vector<std::string> entries, int selected) {
    auto c = make(std::move(name), ControlKind::Combo);
    c.entries = std::move(entries);
    c.selected = selected;
    return c;
}
ControlDecl list(std::string name, std::vector<std::string> lines) {
    auto c = make(std::move(name), ControlKind::List);
    c.entries = std::move(lines);
    return c;
}
ControlDecl button(std::string name, std::string caption, ButtonRole role) {
    auto c = make(std::move(name), ControlKind::Button, std::move(caption));
    c.role = role;
    return c;
}
ControlDecl line(std::string name) { return make(std::move(name), ControlKind::Line); }
ControlDecl frame(std::string name, std::string caption) {
    return make(std::move(name), ControlKind::Frame, std::move(caption));
}
ControlDecl picture(std::string name, std::string resource) {
    return make(std::move(name), ControlKind::Picture, std::move(resource));
}
ControlDecl tabs(std::string name, std::vector<std::string> captions, int selected) {
    auto c = make(std::move(name), ControlKind::Tabs);
    c.entries = std::move(captions);
    c.selected = selected;
    return c;
}

std::vector<ControlDecl> buttonRow(int row, std::string calculateCaption) {
    return {button("Command1", std::move(calculateCaption), ButtonRole::Calculate).inRow(row),
            button("Command2", "清空", ButtonRole::Clear).inRow(row),
            button("Command3", "复制", ButtonRole::Copy).inRow(row)};
}

// ---- the model ----

namespace {

// The filter's view of one box of the model.
class StateBox : public TextBoxAccess {
public:
    StateBox(ControlState& s, std::vector<WindowEvent>& events) : s_(s), events_(events) {}
    std::u32string text() const override { return utf8ToU32(s_.text); }
    void setText(const std::u32string& t) override { s_.text = u32ToUtf8(t); }
    int caret() const override { return s_.caret; }
    void setCaret(int position) override { s_.caret = position; }
    void setColour(TextColour colour) override { s_.red = colour == TextColour::Red; }
    void beep() override { events_.push_back({WindowEvent::Kind::Beep, {}, {}}); }

private:
    ControlState& s_;
    std::vector<WindowEvent>& events_;
};

}  // namespace

WindowModel::WindowModel(WindowDecl decl, Compute compute, Texts clearTexts)
    : decl_(std::move(decl)), compute_(std::move(compute)), clearTexts_(std::move(clearTexts)) {
    if (decl_.showsWorking) {
        ControlDecl toggle = button(std::string(kWorkingToggle), std::string(kWorkingCaption));
        toggle.addition = true;
        decl_.controls.push_back(std::move(toggle));
    }
    states_.reserve(decl_.controls.size());
    for (const ControlDecl& c : decl_.controls) {
        ControlState s;
        s.text = c.text;
        s.enabled = c.enabled;
        s.visible = c.visible;
        s.checked = c.checked;
        s.selected = c.selected;
        s.at = c.at;
        if (c.kind == ControlKind::List) s.lines = c.entries;
        if (c.kind == ControlKind::Combo && c.selected >= 0 && c.selected < static_cast<int>(c.entries.size()))
            s.text = c.entries[static_cast<std::size_t>(c.selected)];
        s.caret = static_cast<int>(utf8Length(s.text));
        states_.push_back(std::move(s));
    }
    for (std::size_t i = 0; i < decl_.controls.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (decl_.controls[i].name == decl_.controls[j].name)
                throw ModelError(decl_.form + " declares " + decl_.controls[i].name + " twice");
    for (const auto& [name, text] : clearTexts_) (void)indexOf(name);
    if (!decl_.copyPrimary.empty()) (void)indexOf(decl_.copyPrimary);
}

void WindowModel::load() { onLoad(); }

std::size_t WindowModel::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < decl_.controls.size(); ++i)
        if (decl_.controls[i].name == name) return i;
    throw ModelError(decl_.form + " has no control " + std::string(name));
}

bool WindowModel::has(std::string_view name) const {
    return std::any_of(decl_.controls.begin(), decl_.controls.end(),
                       [&](const ControlDecl& c) { return c.name == name; });
}

const ControlState& WindowModel::state(std::string_view name) const { return states_[indexOf(name)]; }
ControlState& WindowModel::mutableState(std::string_view name) { return states_[indexOf(name)]; }
const ControlDecl& WindowModel::declOf(std::string_view name) const { return decl_.controls[indexOf(name)]; }

std::string_view WindowModel::text(std::string_view name) const { return states_[indexOf(name)].text; }

Texts WindowModel::texts() const {
    Texts t;
    for (std::size_t i = 0; i < states_.size(); ++i) {
        const ControlKind k = decl_.controls[i].kind;
        t[decl_.controls[i].name] =
            (k == ControlKind::Option || k == ControlKind::Check) ? (states_[i].checked ? "1" : "0") : states_[i].text;
    }
    return t;
}

void WindowModel::runFilter(std::size_t i) {
    const ControlDecl& d = decl_.controls[i];
    if (d.kind != ControlKind::Input || d.filter == FilterMode::None) return;
    StateBox box(states_[i], events_);
    filter_.apply(d.filter, box);
}

void WindowModel::setText(std::string_view name, std::string_view text) {
    const std::size_t i = indexOf(name);
    ControlState& s = states_[i];
    const ControlDecl& d = decl_.controls[i];
    if (d.kind == ControlKind::Combo) {
        auto it = std::find(d.entries.begin(), d.entries.end(), text);
        s.selected = it == d.entries.end() ? -1 : static_cast<int>(it - d.entries.begin());
        s.text = std::string(text);
        return;
    }
    s.text = std::string(text);
    s.caret = 0;  // an assignment puts the caret at the start, as a text box does
    if (d.kind == ControlKind::Input) {
        // A program assignment is not cut by the maximum length (a box takes
        // what the program writes), but the filter runs on it as on typing.
        runFilter(i);
    }
}

void WindowModel::edit(std::string_view name, std::string_view text, int caret) {
    const std::size_t i = indexOf(name);
    const ControlDecl& d = decl_.controls[i];
    ControlState& s = states_[i];
    switch (d.kind) {
        case ControlKind::Combo:
        case ControlKind::List:
        case ControlKind::Tabs: {
            // A drop-down entry, a list line or a page caption, chosen by its text.
            const std::vector<std::string>& choices = d.kind == ControlKind::List ? s.lines : d.entries;
            auto it = std::find(choices.begin(), choices.end(), text);
            if (it == choices.end()) throw ModelError(d.name + " has no choice " + std::string(text));
            s.selected = static_cast<int>(it - choices.begin());
            if (d.kind == ControlKind::Combo) s.text = *it;
            if (d.kind == ControlKind::Tabs) onSelect(name);
            else onChanged(name);
            return;
        }
        case ControlKind::Input: break;
        default: throw ModelError(d.name + " is not a box the user types into");
    }
    if (!s.enabled || !s.visible) return;
    std::u32string t = utf8ToU32(text);
    int c = caret < 0 ? static_cast<int>(t.size()) : caret;
    if (d.maxLength > 0 && t.size() > static_cast<std::size_t>(d.maxLength)) {
        t.resize(static_cast<std::size_t>(d.maxLength));
        c = std::min(c, d.maxLength);
    }
    s.text = u32ToUtf8(t);
    s.caret = std::clamp(c, 0, static_cast<int>(t.size()));
    runFilter(i);
    onChanged(name);
}

void WindowModel::press(std::string_view name) {
    const std::size_t i = indexOf(name);
    const ControlDecl& d = decl_.controls[i];
    if (d.kind != ControlKind::Button) throw ModelError(d.name + " is not a command button");
    if (!states_[i].enabled || !states_[i].visible || closed_) return;
    switch (d.role) {
        case ButtonRole::Calculate:
            if (decl_.managesCopy) setCopyEnabled(true);
            if (decl_.showsWorking) setWorking({});  // no stale working while a job runs
            recordingWorking_ = true;
            onCalculate();
            recordingWorking_ = false;
            break;
        case ButtonRole::Clear:
            onClear();
            if (decl_.showsWorking) setWorking({});
            break;
        case ButtonRole::Copy: onCopy(); break;
        case ButtonRole::None:
            if (d.addition && d.name == kWorkingToggle) states_[i].checked = !states_[i].checked;
            else onPress(name);
            break;
    }
}

void WindowModel::select(std::string_view name) {
    const std::size_t i = indexOf(name);
    const ControlDecl& d = decl_.controls[i];
    ControlState& s = states_[i];
    if (!s.enabled || !s.visible || closed_) return;
    switch (d.kind) {
        case ControlKind::Option:
            // Option buttons with the same row group are one group per window here:
            // every option of the window (on the same page) is exclusive.
            for (std::size_t j = 0; j < states_.size(); ++j)
                if (decl_.controls[j].kind == ControlKind::Option && decl_.controls[j].page == d.page)
                    states_[j].checked = false;
            s.checked = true;
            break;
        case ControlKind::Check: s.checked = !s.checked; break;
        case ControlKind::Tabs: break;
        default: throw ModelError(d.name + " is not an option button, check box or tab strip");
    }
    onSelect(name);
}

bool WindowModel::key(std::string_view k) {
    if (closed_) return false;
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
            if (x != y) return false;
        }
        return true;
    };
    if (decl_.keyPreview) {
        for (const ControlDecl& c : decl_.controls)
            if (c.kind == ControlKind::Option && !c.key.empty() && same(c.key, k)) {
                select(c.name);
                return true;
            }
    }
    if (onKey(k)) return true;
    if (k == "Enter") {
        const std::string b = defaultButton();
        if (!b.empty()) press(b);
        return !b.empty();
    }
    return false;
}

std::string WindowModel::findRole(ButtonRole role) const {
    for (const ControlDecl& c : decl_.controls)
        if (c.kind == ControlKind::Button && c.role == role) return c.name;
    return {};
}

std::string WindowModel::defaultButton() const {
    if (!defaultOverride_.empty()) return defaultOverride_;
    for (const ControlDecl& c : decl_.controls)
        if (c.kind == ControlKind::Button && c.isDefault) return c.name;
    return findRole(ButtonRole::Calculate);
}

void WindowModel::setDefaultButton(std::string_view name) {
    if (!name.empty()) (void)indexOf(name);
    defaultOverride_ = std::string(name);
}

void WindowModel::requestFocus(std::string_view name) {
    (void)indexOf(name);
    focusRequest_ = std::string(name);
}

std::string WindowModel::takeFocusRequest() {
    std::string f;
    f.swap(focusRequest_);
    return f;
}

void WindowModel::focus(std::string_view name) {
    (void)indexOf(name);
    if (!closed_) onFocus(name);
}

std::string WindowModel::copyButton() const { return findRole(ButtonRole::Copy); }

void WindowModel::setEnabled(std::string_view name, bool enabled) { mutableState(name).enabled = enabled; }
void WindowModel::setVisible(std::string_view name, bool visible) { mutableState(name).visible = visible; }
void WindowModel::setChecked(std::string_view name, bool checked) { mutableState(name).checked = checked; }
void WindowModel::setLines(std::string_view name, std::vector<std::string> lines) {
    ControlState& s = mutableState(name);
    s.lines = std::move(lines);
    s.selected = -1;
}
void WindowModel::setSelected(std::string_view name, int index) { mutableState(name).selected = index; }
void WindowModel::moveTo(std::string_view name, Twips at) { mutableState(name).at = at; }

void WindowModel::setCopyEnabled(bool enabled) {
    const std::string b = copyButton();
    if (!b.empty()) setEnabled(b, enabled);
}

void WindowModel::apply(const Outcome& outcome) {
    for (const auto& [name, text] : outcome.set) (void)indexOf(name);  // all names first: no half-applied outcome
    for (const auto& [name, text] : outcome.set) {
        const std::size_t i = indexOf(name);
        const ControlKind k = decl_.controls[i].kind;
        if (k == ControlKind::Option || k == ControlKind::Check) states_[i].checked = text == "1";
        else setText(name, text);
    }
    if (decl_.managesCopy && outcome.failed) setCopyEnabled(false);
    for (const Message& m : outcome.messages) message(m);
    if (recordingWorking_)
        setWorking(outcome.working, outcome.messages.empty() ? std::string() : outcome.messages.front().text);
}

void WindowModel::setWorking(Working working, std::string note) {
    working_ = std::move(working);
    workingNote_ = working_.empty() ? std::move(note) : std::string();
    ++workingRevision_;
}

bool WindowModel::workingShown() const { return decl_.showsWorking && state(kWorkingToggle).checked; }

void WindowModel::message(const Message& m) { events_.push_back({WindowEvent::Kind::Message, m, {}}); }
void WindowModel::clipboard(std::string text) {
    events_.push_back({WindowEvent::Kind::Clipboard, {}, std::move(text)});
}
void WindowModel::beep() { events_.push_back({WindowEvent::Kind::Beep, {}, {}}); }
void WindowModel::open(std::string form) { events_.push_back({WindowEvent::Kind::Open, {}, std::move(form)}); }
void WindowModel::close() {
    closed_ = true;
    events_.push_back({WindowEvent::Kind::Closed, {}, {}});
}

std::vector<WindowEvent> WindowModel::takeEvents() {
    std::vector<WindowEvent> e;
    e.swap(events_);
    return e;
}

void WindowModel::onCalculate() {
    if (compute_) apply(compute_(texts()));
}

void WindowModel::onClear() {
    for (const auto& [name, text] : clearTexts_) {
        const ControlKind k = declOf(name).kind;
        if (k == ControlKind::Option || k == ControlKind::Check) setChecked(name, text == "1");
        else setText(name, text);
    }
    if (decl_.managesCopy) setCopyEnabled(true);
}

void WindowModel::onCopy() {
    const std::string primary = copyPrimary();
    if (primary.empty()) return;
    if (text(primary).empty()) {
        message(errorMessage(kCopyFirstText));
        return;
    }
    clipboard(copyText());
}

void WindowModel::onPress(std::string_view) {}
void WindowModel::onSelect(std::string_view) {}
bool WindowModel::onKey(std::string_view) { return false; }
void WindowModel::onChanged(std::string_view) {}

void WindowModel::startJob(Job job) {
    job_ = std::move(job);
    jobPending_ = true;
    const std::string calc = findRole(ButtonRole::Calculate);
    if (!calc.empty()) setEnabled(calc, false);
}

std::optional<Job> WindowModel::takeJob() {
    std::optional<Job> j;
    j.swap(job_);
    return j;
}

void WindowModel::finishJob(const Outcome& outcome) {
    if (!jobPending_) return;
    jobPending_ = false;
    const std::string calc = findRole(ButtonRole::Calculate);
    if (!calc.empty()) setEnabled(calc, true);
    recordingWorking_ = true;
    onJobDone(outcome);
    recordingWorking_ = false;
}

// ---- the table ----

const std::vector<std::string>& windowForms() {
    static const std::vector<std::string> forms = [] {
        std::vector<std::string> f;
        for (const WindowType& t : windowTypes()) f.emplace_back(t.form);
        return f;
    }();
    return forms;
}

const WindowType* findWindowType(std::string_view form) {
    for (const WindowType& t : windowTypes())
        if (t.form == form) return &t;
    return nullptr;
}

std::unique_ptr<WindowModel> openWindowModel(std::string_view form) {
    const WindowType* t = findWindowType(form);
    if (!t) throw ModelError("no window " + std::string(form) + " in the table");
    auto m = t->make();
    if (m->form() != form) throw ModelError("the table lists " + std::string(form) + " but it makes " + m->form());
    m->load();
    return m;
}

}  // namespace kz
