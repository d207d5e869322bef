// Any bytes as an entry, then as a number list read the way the statistics
// window reads it: nothing may crash, hang, or leave a non-finite answer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/evaluator.h"
#include "calc/tokenizer.h"

namespace {

void readAsList(std::string_view text) {
    kz::Scanner s(text);
    try {
        s.readToken();
        while (s.kind() == kz::TokenKind::Number && s.position() < s.length()) {
            (void)s.characterAt(s.position());
            s.advance();
            s.readToken();
        }
    } catch (const kz::NumFailure&) {}
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    // One evaluator for the whole run, so ans and variables carry over as in the bar.
    static kz::Evaluator evaluator(kz::ConstantsLocator::exactly("/nonexistent/constants.csd"));
    std::string box = evaluator.evaluate(text, "previous");
    if (box.empty() || !std::isfinite(evaluator.ans())) std::abort();
    if (box.find("inf") != std::string::npos || box.find("nan") != std::string::npos) std::abort();
    if (evaluator.variables().size() > 10000) evaluator.clearVariables();
    readAsList(text);
    // The same bytes as a constants file.
    kz::ConstantsFile constants{std::string(text)};
    try {
        (void)constants.find("x");
        (void)constants.find("y");
    } catch (const kz::NumFailure&) {}
    return 0;
}
