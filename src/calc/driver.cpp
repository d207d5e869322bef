#include "calc/driver.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "app/toolsession.h"
#include "calc/steps.h"

namespace kz {

void runCalcDriver(std::istream& in, std::ostream& out, Evaluator& evaluator, bool working) {
    using Traits = std::istream::traits_type;
    constexpr std::streamsize kChunk = 1 << 16;
    std::streambuf* source = in.rdbuf();
    if (!source) return;
    if (working) evaluator.keepParse(true);
    std::string input;  // bytes read; input[start..] is not yet answered
    std::size_t start = 0;
    std::string pending;  // answers not yet written
    auto answer = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pending += evaluator.evaluateFirstLine(line);
        pending += '\n';
        if (!working) return;
        for (const std::string& step : calcWorking(evaluator).plainLines()) {
            pending += "working: ";
            pending += escapeForTool(step);
            pending += '\n';
        }
    };
    auto write = [&] {
        out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
        out.flush();
        pending.clear();
    };
    for (;;) {
        // Take whatever is waiting. Before waiting for more, write out every
        // answer so far: an interactive user sees each answer at once.
        std::streamsize waiting = source->in_avail();
        if (waiting <= 0) {
            if (!pending.empty()) write();
            if (Traits::eq_int_type(source->sgetc(), Traits::eof())) break;
            waiting = std::max<std::streamsize>(source->in_avail(), 1);
        }
        input.erase(0, start);
        start = 0;
        const std::size_t kept = input.size();
        input.resize(kept + static_cast<std::size_t>(std::min(waiting, kChunk)));
        const std::streamsize got =
            source->sgetn(input.data() + kept, static_cast<std::streamsize>(input.size() - kept));
        input.resize(kept + static_cast<std::size_t>(std::max<std::streamsize>(got, 0)));
        if (got <= 0 && Traits::eq_int_type(source->sgetc(), Traits::eof())) break;
        for (std::size_t end; (end = input.find('\n', start)) != std::string::npos; start = end + 1)
            answer(std::string_view(input).substr(start, end - start));
        if (pending.size() > static_cast<std::size_t>(kChunk)) write();
    }
    if (start < input.size()) answer(std::string_view(input).substr(start));  // a last line without '\n'
    write();
}

}  // namespace kz
