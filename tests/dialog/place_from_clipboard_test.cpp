// The clipboard's text fills the dialog as a placement file does; two
// numbers pasted into X fill X and Y, anything else is the box's own paste.
#include <gtest/gtest.h>

#include <string>

#include "dialog/sim_session.h"

namespace {

using dialog::ClipboardProblem;
using form::ControlId;

TEST(Clipboard, FillsAsAFileAndTwoNumbersPastedIntoXFillXAndY) {
    // at: Text1, Text2 pasted into; Frame1 placed from; Command1 placed from after
    // a move. shown: "pasted " if taken, the message or caption, " | X Y".
    struct Row {
        ControlId at;
        std::u16string held;
        std::string shown;
        numtext::Locale locale = testing_support::kDotLocale;
        ClipboardProblem problem = ClipboardProblem::None;
    };
    const ControlId place = ControlId::Frame1;
    const ControlId x = ControlId::Text1;
    const std::string filled = "CompPlace - U12 from the clipboard, line 3 (mm";
    const Row rows[] = {
        {place, u"Ref\tX\tY\r\nC1\t1\t2\r\nU12\t2\t-3\r\n", filled + ", assumed) | 2 -3"},
        {place, u"Ref,X,Y\nU1,1,2\n", "U12 is not in the clipboard: "},
        {place, u"Ref,X,Y\nU12,a,2", "The clipboard, line 2: "},
        {place, u"C1\t1\t2\r\nU12\t2\t-3\t90\tB\r\n",
         "CompPlace - U12 from the clipboard, line 2 (mm, assumed) | 2 -3"},
        {place, u"", "The clipboard holds no text"},
        {place, u"", "The clipboard is in use", {}, ClipboardProblem::InUse},
        {place, std::u16string(32 * 1024 * 1024 + 1, u'1'), "The clipboard's text is"},
        {ControlId::Command1, u"Ref,X,Y\nU12,1,2", "CompPlace | 0.0 0.0"},
        {x, u"12.5\t30\r\n", "pasted CompPlace | 12.5 30"},
        {x, u"12.5, 30", "pasted CompPlace | 12.5 30"},
        {x, u"1mm  2in", "pasted CompPlace | 1mm 2in"},
        {x, u"-1,5; 2", "pasted CompPlace | -1,5 2", testing_support::kCommaLocale},
        {x, u"12,5", "CompPlace | 0,0 0,0", testing_support::kCommaLocale},
        {x, u"12,5", "CompPlace | 0.0 0.0"},
        {x, u"1\t2\t3", "CompPlace | 0.0 0.0"},
        {x, u"U12\ttop", "CompPlace | 0.0 0.0"},
        {ControlId::Text2, u"1\t2", "CompPlace | 0.0 0.0"},
    };
    for (const Row& row : rows) {
        testing_support::SimSession session({}, "", row.locale);  // mils, absolute, at 0, 0
        session.clipboard.held = {row.problem, row.held};
        session.dialog().Form_Load();
        if (row.at == ControlId::Command1) {
            session.click(ControlId::Command1);
        }
        const std::string text(row.held.begin(), row.held.end());
        const bool isPaste = row.at == x || row.at == ControlId::Text2;
        const bool pasted = isPaste && session.form.userPastes(row.at, text);
        if (!isPaste) {
            session.form.userPlacesFromClipboard();
        }
        const auto& said = session.form.messagesToUser();
        const std::string shown = (pasted ? "pasted " : "") +
                                  (said.empty() ? session.form.caption() : said[0]) + " | " +
                                  session.text(x) + " " + session.text(ControlId::Text2);
        EXPECT_EQ(shown.rfind(row.shown, 0), 0u) << shown;
    }
}

}  // namespace
