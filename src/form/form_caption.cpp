#include "form/form_caption.h"

namespace form {
namespace {

// The caption without its title and with `kept` characters of the name:
// the front half (the one more when odd), the ellipsis, the back half.
std::wstring withNameCut(const ShownCaption& caption, std::size_t kept) {
    const std::wstring_view name = caption.name;
    std::wstring text = caption.before;
    text += name.substr(0, (kept + 1) / 2);
    text += kEllipsis;
    text += name.substr(name.size() - kept / 2);
    text += caption.after;
    return text;
}

}  // namespace

std::wstring fittedCaption(const ShownCaption& caption, const CaptionFits& fits) {
    std::wstring whole = caption.text();
    if (caption.name.empty() || fits(whole)) {
        return whole;
    }
    std::wstring untitled = caption.before + caption.name + caption.after;
    if (fits(untitled)) {
        return untitled;
    }
    // The most characters kept that still fit: a wider text never fits
    // where a narrower one does not, so the search halves the range.
    std::size_t fitting = 0;
    std::size_t tooMany = caption.name.size();
    while (tooMany - fitting > 1) {
        const std::size_t kept = fitting + (tooMany - fitting) / 2;
        if (fits(withNameCut(caption, kept))) {
            fitting = kept;
        } else {
            tooMany = kept;
        }
    }
    return withNameCut(caption, fitting);
}

}  // namespace form
