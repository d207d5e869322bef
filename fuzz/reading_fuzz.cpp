// Any text as an article file: no crash, no undefined behaviour, and every
// raised character lands inside its article's displayed text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/utf8.h"
#include "reading/articles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kz::reading::ArticleBook book = kz::reading::parseArticles(text);
    for (const auto& g : book.groups)
        for (const auto& a : g.articles) {
            const int length = static_cast<int>(kz::utf8Length(kz::reading::displayText(a)));
            int previous = -1;
            for (const auto& s : a.superscripts) {
                const int p = kz::reading::displayPosition(a, s);
                if (p <= previous || p >= length) std::abort();
                previous = p;
            }
            if (kz::reading::textLength(a) < 0) std::abort();
            if (book.find(a.title) == nullptr) std::abort();
        }
    return 0;
}
