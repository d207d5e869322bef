// A window as data and behaviour, without any toolkit: the declaration of its
// controls in screen order, their state, and what clicks, keys and typing do.
// The Qt view builds its widgets from the declaration and mirrors the state;
// `kztool`, the tests and the fuzzer drive the same model headless.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "framework/clsTextBox.h"
#include "framework/outcome.h"

namespace kz {

enum class ControlKind {
    Input,            // single-line box the user types into (maximum length, filter)
    Output,           // read-only single-line box
    MultiLineOutput,  // read-only multi-line box
    Label,
    Option,   // option button: caption, letter key
    Check,    // check box
    Combo,    // drop-down list: entries, one chosen
    List,     // list box: lines, one selected (or none)
    Button,   // command button: caption, role
    Line,     // a fraction bar or a rule: only shows or hides
    Frame,    // a group frame with a caption
    Picture,  // a picture: its text names the resource
    Tabs,     // a tab strip: entries are the page captions, one selected
};

enum class ButtonRole { None, Calculate, Clear, Copy };

// Twips inside the client area (15 twips are one logical pixel).
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Twips&) const = default;
};

struct ControlDecl {
    std::string name;  // object name: "Text1", "cmdNum(7)"
    ControlKind kind = ControlKind::Label;
    std::string text;   // initial text or caption
    int maxLength = 0;  // Input: characters (code points); 0 = no limit
    FilterMode filter = FilterMode::None;
    std::string key;                   // Option: its window-level key ("Y", "KP+")
    std::vector<std::string> entries;  // Combo entries, List lines, Tabs captions
    ButtonRole role = ButtonRole::None;
    bool isDefault = false;  // the button Enter presses (default: the Calculate button)
    bool enabled = true;
    bool visible = true;
    bool checked = false;        // Option, Check
    int selected = -1;           // Combo, List, Tabs: index of the chosen entry
    int row = -1;                // row layout: controls with the same row number share a row
    int page = -1;               // on which page of the window's Tabs control, if any
    Twips at{};                  // where the Part gives coordinates
    std::string accessibleName;  // what a screen reader calls an unlabelled box
    bool bold = false;           // labels shown bold (view hint)
    double points = 0;           // font size where the Part gives one (0: the kind's usual size)
    enum class Align { Usual, Left, Centre, Right } align = Align::Usual;  // label text
    bool graphical = false;  // an option button drawn as a button that stays pressed
    bool multiLine = false;  // an input box of several lines (Enter still calculates)
    bool addition = false;   // ours, beside the window's own controls: the view places it, kztool does not list it

    // Chainable refinements: input("Text1", 10, FilterMode::Integer_All).inRow(1)
    ControlDecl inRow(int r) const {
        auto c = *this;
        c.row = r;
        return c;
    }
    ControlDecl onPage(int p) const {
        auto c = *this;
        c.page = p;
        return c;
    }
    ControlDecl place(int l, int t, int w, int h) const {
        auto c = *this;
        c.at = {l, t, w, h};
        return c;
    }
    ControlDecl disabled() const {
        auto c = *this;
        c.enabled = false;
        return c;
    }
    ControlDecl hidden() const {
        auto c = *this;
        c.visible = false;
        return c;
    }
    ControlDecl chosen(int i) const {
        auto c = *this;
        c.selected = i;
        return c;
    }
    ControlDecl defaultButton() const {
        auto c = *this;
        c.isDefault = true;
        return c;
    }
    ControlDecl named(std::string accessible) const {
        auto c = *this;
        c.accessibleName = std::move(accessible);
        return c;
    }
    ControlDecl strong() const {
        auto c = *this;
        c.bold = true;
        return c;
    }
    ControlDecl sized(double pt) const {
        auto c = *this;
        c.points = pt;
        return c;
    }
    ControlDecl aligned(Align a) const {
        auto c = *this;
        c.align = a;
        return c;
    }
    ControlDecl asButton() const {
        auto c = *this;
        c.graphical = true;
        return c;
    }
    ControlDecl severalLines() const {
        auto c = *this;
        c.multiLine = true;
        return c;
    }
};

// Declaration helpers, one per kind.
ControlDecl input(std::string name, int maxLength, FilterMode filter, std::string accessibleName = {});
ControlDecl output(std::string name, std::string accessibleName = {});
ControlDecl multiLineOutput(std::string name, std::string accessibleName = {});
ControlDecl label(std::string name, std::string text);
ControlDecl option(std::string name, std::string caption, std::string key = {}, bool checked = false);
ControlDecl check(std::string name, std::string caption, bool checked = false);
ControlDecl combo(std::string name, std::vector<std::string> entries, int selected = -1);
ControlDecl list(std::string name, std::vector<std::string> lines = {});
ControlDecl button(std::string name, std::string caption, ButtonRole role = ButtonRole::None);
ControlDecl line(std::string name);
ControlDecl frame(std::string name, std::string caption);
ControlDecl picture(std::string name, std::string resource);
ControlDecl tabs(std::string name, std::vector<std::string> captions, int selected = 0);
// The usual row of Calculate, Clear, Copy (Command1..3) in row `row`.
std::vector<ControlDecl> buttonRow(int row, std::string calculateCaption = "计算");

struct WindowDecl {
    std::string form;                   // "Form12": the window's one identity
    std::string title;                  // empty: the catalogue's title for `form`
    std::vector<ControlDecl> controls;  // in screen order
    bool managesCopy = false;           // Calculate enables Copy, a failure disables it, Clear enables it
    std::string copyPrimary;            // the copy rule's primary output; empty: no copy rule
    bool keyPreview = false;            // option keys picked at window level
    Twips client{};                     // client area where the Part gives coordinates
    bool showsWorking = false;          // the model adds the working toggle (kWorkingToggle)
};

// The toggle that opens the working pane, added to windows that show their working.
inline constexpr std::string_view kWorkingToggle = "cmdWorking";
inline constexpr std::string_view kWorkingCaption = "过程";

// What the window shows the user besides its controls, in order.
struct WindowEvent {
    enum class Kind { Message, Clipboard, Beep, Open, Closed };
    Kind kind = Kind::Message;
    Message message;   // Message
    std::string text;  // Clipboard: the text; Open: the form
    bool operator==(const WindowEvent&) const = default;
};

struct ControlState {
    std::string text;  // box text, caption; Combo: the chosen entry
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool red = false;                // Input: the masked filter's error colour
    int caret = 0;                   // Input: caret position in characters
    int selected = -1;               // Combo, List, Tabs
    std::vector<std::string> lines;  // List lines
    Twips at{};
};

// A programming error in a window's behaviour (an unknown control name).
class ModelError : public std::logic_error {
    using std::logic_error::logic_error;
};

// A computation that may take longer than a frame: the host runs it (off
// the user-interface thread in the program, inline in kztool and tests)
// and hands the outcome back with finishJob. It runs on another thread, so
// it captures what it needs by value and never touches the model.
using Job = std::function<Outcome(std::stop_token)>;

class WindowModel {
public:
    using Compute = std::function<Outcome(const Texts&)>;

    explicit WindowModel(WindowDecl decl, Compute compute = {}, Texts clearTexts = {});
    virtual ~WindowModel() = default;
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    const WindowDecl& decl() const { return decl_; }
    const std::string& form() const { return decl_.form; }
    // The load step; the host calls it once after construction.
    void load();

    // --- What the user does ---
    // A change of input box `name` to `text`, the caret after it (-1: at the
    // end): the maximum length cuts first, then the box's filter runs.
    // A Combo chooses the entry `text`, a List selects the line `text`, a
    // Tabs control shows the page captioned `text` (then onSelect runs);
    // an unknown entry, line or page is a ModelError.
    void edit(std::string_view name, std::string_view text, int caret = -1);
    // A click on a button; a disabled or hidden one does nothing.
    void press(std::string_view name);
    // A click on an option button, check box or tab.
    void select(std::string_view name);
    // A key pressed in the window: one character, or "Enter", "Esc", "KP+",
    // "KP-", "KP*", "KP/". Returns whether the window used it.
    bool key(std::string_view key);

    // The user put the focus into `name` (clicked or tabbed into it).
    void focus(std::string_view name);

    // --- What the host reads ---
    bool has(std::string_view name) const;
    const ControlState& state(std::string_view name) const;
    const ControlDecl& declOf(std::string_view name) const;
    std::vector<WindowEvent> takeEvents();
    bool closed() const { return closed_; }
    // Texts of every control (options and checks "1"/"0").
    Texts texts() const;

    // A job waiting to be run; the host takes it and later calls finishJob.
    std::optional<Job> takeJob();
    bool busy() const { return jobPending_; }
    void finishJob(const Outcome& outcome);

    // The working of the last Calculate (empty: none), and where there is
    // none because the calculation was rejected, the text of its message.
    const Working& working() const { return working_; }
    const std::string& workingNote() const { return workingNote_; }
    // Counts every new working (or its absence), so a host sees that one came.
    unsigned workingRevision() const { return workingRevision_; }
    // Whether the working pane is open (the toggle is pressed).
    bool workingShown() const;

    // The control that Enter presses.
    std::string defaultButton() const;
    // A control the behaviour wants focused, once; empty if none.
    std::string takeFocusRequest();

protected:
    // --- Behaviour hooks; the defaults are the tool-window conventions ---
    virtual void onLoad() {}
    virtual void onCalculate();  // the compute function's outcome, applied
    virtual void onClear();      // the clear texts; enables Copy where managed
    virtual void onCopy();       // the copy rule
    // The copy rule's primary output (a window whose primary output moves with its mode overrides it).
    virtual std::string copyPrimary() const { return decl_.copyPrimary; }
    virtual std::string copyText() { return std::string(text(copyPrimary())); }
    virtual void onPress(std::string_view name);    // buttons without a role
    virtual void onSelect(std::string_view name);   // after an option, check or tab changed
    virtual bool onKey(std::string_view key);       // window keys beyond option keys and Enter
    virtual void onChanged(std::string_view name);  // after an input or Combo/List change
    virtual void onJobDone(const Outcome& outcome) { apply(outcome); }
    virtual void onFocus(std::string_view) {}

    // --- Helpers for the behaviour ---
    std::string_view text(std::string_view name) const;
    // A program assignment: for an input box, the filter runs on it as on typing.
    void setText(std::string_view name, std::string_view text);
    void setEnabled(std::string_view name, bool enabled);
    void setVisible(std::string_view name, bool visible);
    void setChecked(std::string_view name, bool checked);
    void setLines(std::string_view name, std::vector<std::string> lines);
    void setSelected(std::string_view name, int index);
    void moveTo(std::string_view name, Twips at);
    // Texts, then Copy enabling in the windows that manage it, then messages.
    void apply(const Outcome& outcome);
    void setCopyEnabled(bool enabled);
    std::string copyButton() const;
    void message(const Message& m);
    void clipboard(std::string text);
    void beep();
    void open(std::string form);
    void close();
    // Runs `job` through the host; the Calculate button stays disabled until done.
    void startJob(Job job);
    // Enter presses `name` from now on (empty: back to the declared default).
    void setDefaultButton(std::string_view name);
    // A window whose working is not its Calculate's outcome (the pocket
    // calculator's tape) sets it itself.
    void setWorking(Working working, std::string note = {});
    void requestFocus(std::string_view name);
    ControlState& mutableState(std::string_view name);
    const Compute& compute() const { return compute_; }
    const Texts& clearTexts() const { return clearTexts_; }

private:
    void runFilter(std::size_t index);
    std::size_t indexOf(std::string_view name) const;
    std::string findRole(ButtonRole role) const;

    WindowDecl decl_;
    Compute compute_;
    Texts clearTexts_;
    std::vector<ControlState> states_;
    std::vector<WindowEvent> events_;
    clsTextBox filter_;
    bool closed_ = false;
    bool jobPending_ = false;
    std::optional<Job> job_;
    std::string defaultOverride_;
    std::string focusRequest_;
    Working working_;
    std::string workingNote_;
    unsigned workingRevision_ = 0;
    bool recordingWorking_ = false;  // inside a Calculate: its outcome brings the working
};

// One row of the table of windows that have a model: what the registry and
// the command line need to know of a window, without building it.
struct WindowType {
    std::string_view form;
    std::unique_ptr<WindowModel> (*make)();
    bool keepInstance = false;  // closing hides the window; the next opening reloads it
    bool owned = false;         // made by the window that owns it, never opened on its own
};

// Every window with a model (defined in app/windowtable.cpp).
std::span<const WindowType> windowTypes();
// Forms of the table, in table order.
const std::vector<std::string>& windowForms();
// The table's row of `form`, or nullptr: for names that come from outside
// (the command line, kztool's arguments).
const WindowType* findWindowType(std::string_view form);
// A fresh, loaded model of `form`; a form not in the table is a ModelError.
std::unique_ptr<WindowModel> openWindowModel(std::string_view form);

}  // namespace kz
