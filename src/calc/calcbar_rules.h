// The calculation bar's rules, apart from its window: what a change of the
// entry does, and what one press of Calculate writes into the answer box.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/evaluator.h"
#include "calc/steps.h"
#include "framework/working.h"

namespace kz {

struct EntryChange {
    bool calculateEnabled = true;
    // The entry's new text, with the caret at its end; nothing if it stays.
    std::optional<std::string> replacement;
};

// Calculate is usable on a non-empty entry. A lone "/", "*" or "+" continues
// from the previous answer ("ans/"); "-" stays a sign.
inline EntryChange entryChanged(std::string_view entry) {
    EntryChange change;
    change.calculateEnabled = !entry.empty();
    if (entry == "/" || entry == "*" || entry == "+") change.replacement = "ans" + std::string(entry);
    return change;
}

// ASCII letters in lower case; other bytes unchanged.
inline std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The makers' names, shown instead of a result for the entry words "name",
// "company" and "author" (in any letter case).
struct Credits {
    std::string name, company, author;
};

struct Calculated {
    std::string answer;   // the answer box's new text
    std::string lowered;  // the entry in lower case, as the bar keeps it
    Working working;      // how the answer was found; none for an error or a credit
};

// Evaluates the entry (updating ans), then puts a credit in place of the
// evaluator's text when the entry is one of the credit words.
inline Calculated calculate(Evaluator& evaluator, std::string_view entry, std::string_view previousAnswer,
                            const Credits& credits) {
    evaluator.keepParse(true);
    Calculated out{evaluator.evaluate(entry, previousAnswer), lowerAscii(entry), {}};
    if (out.lowered == "name") out.answer = credits.name;
    else if (out.lowered == "company") out.answer = credits.company;
    else if (out.lowered == "author") out.answer = credits.author;
    else out.working = calcWorking(evaluator);
    return out;
}

}  // namespace kz
