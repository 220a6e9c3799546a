// The handlers behind Form1's controls. They work only on the form model,
// the dialog state and the host connection; the same code runs behind the
// real window and in the tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dbx/connection.h"
#include "dialog/beeper.h"
#include "dialog/clipboard.h"
#include "dialog/dialog_state.h"
#include "dialog/file_reader.h"
#include "form/form_model.h"
#include "numtext/number_text.h"

namespace dialog {

// The handlers speak of Form1's controls by the form's own names.
using form::CheckValue;
using form::ControlId;
using form::FormModel;

class Dialog {
  public:
    // Wires every handler into `form`. All references must outlive the dialog.
    Dialog(FormModel& form, dbx::Connection& dbx, Beeper& beeper, FileReader& files,
           Clipboard& clipboard, numtext::Locale locale);
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Start-up, before the window is first shown. May end the program.
    void Form_Load();

    // Units and coordinate mode.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();

    // Move.
    void Command1_Click();

    // Rotation.
    void Command3_Click();
    void Text3_Change();

    // Undo and exit.
    void Command4_Click();
    void Command2_Click();
    void Form_CloseRequest();

    // Placement files. A file dropped, picked with "Place from file..." or
    // named on the command line: one is placed, several are refused.
    void Form_FilesGiven(const std::vector<form::GivenFile>& files);
    // Fills the boxes, the angle and "Flipped" from the file's row for the
    // selected component, as a user would type them; true when it did. A
    // refusal is told the user in one message and changes nothing.
    bool placeFromFile(const form::GivenFile& file);
    // compplace.exe FILE, after Form_Load: the dialog filled from the file.
    // False, with the user told why, when start-up found nothing to place.
    bool fillAtStart(const form::GivenFile& file);
    // The unattended move, after Form_Load: the fill, then "&Move". True
    // when the host took all of it; otherwise the user is told why. Ends
    // the program with the connection closed either way.
    bool moveFromFile(const form::GivenFile& file);

    // The clipboard's text read as a placement file and filled from as one.
    void Form_PlaceFromClipboard();
    // Two numbers pasted into X fill X and Y; true when they did. Anything
    // else is left to the box's own paste.
    bool Text1_Paste(const std::string& text);

    const DialogState& state() const { return state_; }

  private:
    // The fill from a placement file's whole bytes; `name` names them in the
    // caption and the messages.
    bool placeFromBytes(std::string_view bytes, std::string_view name);

    enum class MoveOutcome { NotWritten, WrittenNotTurned, Done };
    // "&Move"'s work, and how far the host took it.
    MoveOutcome move();

    // Turns the component from the angle in workComponent to the box's.
    // Beeps when the turn cannot be sent or the host refuses it; true when
    // the host turned the component.
    bool Rotcomp();

    // Unit handlers share their steps; only factor and pattern differ.
    void showStoredLocation(units::UnitFactor factor, const std::string& pattern);
    // The filled row's numbers in the unit and mode selected now; false when
    // they give no location in this mode.
    bool showFilledRow(const std::string& pattern);
    // The boxes stop holding a file's row: "Flipped", the angle and the
    // caption show what the design holds. Nothing without a filled row.
    void endFill();
    // Why start-up gave nothing a file could be placed on, told the user.
    void tellNothingPlacedFrom(std::string_view name);
    // The X and Y boxes in the mode the options select now.
    LocationBoxes& boxesInSelectedMode();
    // A location in the X and Y boxes, relative to the origin in relative mode.
    void showLocation(units::DbPoint location, const std::string& pattern);
    BoxTexts boxTexts() const;
    void restoreSavedLocation();
    // The flags and the angle of a component in their boxes.
    void showFlagsAndAngle(const dbx::ComponentRecord& component);
    void showFlippedAndAngle(const dbx::ComponentRecord& component);
    // After a failed undo: the design still holds `held`, at the location in
    // the design.
    void showWhatTheDesignHolds(const dbx::ComponentRecord& held);
    std::optional<double> readAngle() const;

    FormModel& form_;
    dbx::Connection& dbx_;
    Beeper& beeper_;
    FileReader& files_;
    Clipboard& clipboard_;
    numtext::Locale locale_;
    DialogState state_;
};

}  // namespace dialog
