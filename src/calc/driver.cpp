#include "calc/driver.h"

#include <istream>
#include <ostream>
#include <string>

namespace kz {

void runCalcDriver(std::istream& in, std::ostream& out, Evaluator& evaluator) {
    std::string line, shown, pending;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Only the first line is printed, so only it is kept as the previous
        // text; the box would otherwise grow with every error.
        std::string box = evaluator.evaluate(line, shown);
        shown.assign(box, 0, box.find(kAnswerLineBreak));
        pending += shown;
        pending += '\n';
        // Batch while more input is waiting; answer at once when interactive.
        if (pending.size() > (1u << 16) || in.rdbuf()->in_avail() <= 0) {
            out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
            out.flush();
            pending.clear();
        }
    }
    out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    out.flush();
}

}  // namespace kz
