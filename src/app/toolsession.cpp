#include "app/toolsession.h"

#include <sstream>

namespace kz {

std::string escapeForTool(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

void settleJobs(WindowModel& model) {
    while (auto job = model.takeJob()) {
        std::stop_source never;
        model.finishJob((*job)(never.get_token()));
    }
}

namespace {

const char* iconName(MessageIcon i) { return i == MessageIcon::Error ? "error" : "information"; }

void printEvents(WindowModel& m, std::ostream& out) {
    for (const WindowEvent& e : m.takeEvents()) {
        switch (e.kind) {
            case WindowEvent::Kind::Message:
                out << "message: " << escapeForTool(e.message.title) << '|' << iconName(e.message.icon) << '|'
                    << escapeForTool(e.message.text) << '\n';
                break;
            case WindowEvent::Kind::Clipboard: out << "clipboard: " << escapeForTool(e.text) << '\n'; break;
            case WindowEvent::Kind::Beep: out << "beep\n"; break;
            case WindowEvent::Kind::Open: out << "open: " << e.text << '\n'; break;
            case WindowEvent::Kind::Closed: out << "closed\n"; break;
        }
    }
}

std::string shownText(const WindowModel& m, const ControlDecl& d) {
    const ControlState& s = m.state(d.name);
    switch (d.kind) {
        case ControlKind::Option:
        case ControlKind::Check: return s.checked ? "1" : "0";
        case ControlKind::List: {
            std::string t;
            for (std::size_t i = 0; i < s.lines.size(); ++i) t += (i ? "\n" : "") + s.lines[i];
            return t;
        }
        case ControlKind::Tabs:
            return s.selected >= 0 && s.selected < static_cast<int>(d.entries.size())
                       ? d.entries[static_cast<std::size_t>(s.selected)]
                       : std::string();
        default: return s.text;
    }
}

bool isKeyName(std::string_view k) {
    if (k.size() == 1) {
        const char c = k[0];
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("+-*/.=").find(c) != std::string_view::npos;
    }
    for (std::string_view n : {"Enter", "Esc", "KP+", "KP-", "KP*", "KP/"})
        if (k == n) return true;
    return false;
}

}  // namespace

std::string actionProblem(const WindowModel& m, const std::string& a) {
    auto control = [&](std::string_view name, std::initializer_list<ControlKind> kinds) -> std::string {
        if (!m.has(name)) return "unknown control " + std::string(name);
        const ControlKind k = m.declOf(name).kind;
        for (ControlKind want : kinds)
            if (k == want) return {};
        return std::string(name) + " cannot take this action";
    };
    if (a.rfind("press:", 0) == 0) return control(a.substr(6), {ControlKind::Button});
    if (a.rfind("select:", 0) == 0)
        return control(a.substr(7), {ControlKind::Option, ControlKind::Check, ControlKind::Tabs});
    if (a.rfind("key:", 0) == 0) return isKeyName(a.substr(4)) ? "" : "unknown key " + a.substr(4);
    if (auto eq = a.find('='); eq != std::string::npos && eq > 0)
        return control(a.substr(0, eq), {ControlKind::Input, ControlKind::Combo, ControlKind::List, ControlKind::Tabs});
    return "unknown action " + a;
}

void applyAction(WindowModel& m, const std::string& a) {
    if (a.rfind("press:", 0) == 0) m.press(a.substr(6));
    else if (a.rfind("select:", 0) == 0) m.select(a.substr(7));
    else if (a.rfind("key:", 0) == 0) m.key(a.substr(4));
    else {
        const auto eq = a.find('=');
        m.edit(a.substr(0, eq), a.substr(eq + 1));
    }
    settleJobs(m);
}

int runToolSession(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    const bool showWorking = !args.empty() && args[0] == "--working";
    if (showWorking) args.erase(args.begin());
    if (args.empty()) {
        err << "usage: kztool [--working] FORM ACTION...\n";
        return 2;
    }
    if (!findWindowType(args[0])) {
        err << "kztool: unknown window " << args[0] << '\n';
        return 2;
    }
    std::unique_ptr<WindowModel> m = openWindowModel(args[0]);
    // Check every action before running any, so a mistake prints nothing else.
    for (std::size_t i = 1; i < args.size(); ++i)
        if (const std::string problem = actionProblem(*m, args[i]); !problem.empty()) {
            err << "kztool: " << problem << '\n';
            return 2;
        }
    std::ostringstream shown;
    try {
        printEvents(*m, shown);
        for (std::size_t i = 1; i < args.size() && !m->closed(); ++i) {
            const unsigned revision = m->workingRevision();
            applyAction(*m, args[i]);
            printEvents(*m, shown);
            if (showWorking && m->workingRevision() != revision)
                for (const std::string& line : m->working().plainLines())
                    shown << "working: " << escapeForTool(line) << '\n';
        }
    } catch (const ModelError& e) {
        // An entry that a drop-down list or list box does not hold.
        err << "kztool: " << e.what() << '\n';
        return 2;
    }
    // Our additions (the working toggle) are not the window's own controls.
    std::vector<const ControlDecl*> own;
    for (const ControlDecl& d : m->decl().controls)
        if (!d.addition) own.push_back(&d);
    for (const ControlDecl* d : own) shown << d->name << '=' << escapeForTool(shownText(*m, *d)) << '\n';
    for (const ControlDecl* d : own)
        if (!m->state(d->name).enabled) shown << d->name << ":disabled\n";
    for (const ControlDecl* d : own)
        if (!m->state(d->name).visible) shown << d->name << ":hidden\n";
    out << shown.str();
    return 0;
}

}  // namespace kz
