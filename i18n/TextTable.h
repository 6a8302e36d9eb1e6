// Which text of a language file goes where: one entry per text number,
// naming the window, the control (by object name) and what of it the text
// sets. The numbers a language file holds but no control reads have no
// entry.
#pragma once

#include <vector>

namespace bvi18n {

// The number of texts a complete language file holds (text 0 to 959).
constexpr int kTextCount = 960;

enum class TTextWindow {
    Main,        // the main window
    Select,      // the three archive dialogs (constructions, windows, doors) alike
    WindowEdit,  // the window editor
    DoorEdit,    // the door editor
    LayeredEdit, // the layered-construction editor
    FileHandler, // the building file dialog
    Export,      // the building export dialog
    Import,      // the question of the building import
    Language,    // the language window
    About,       // the about window
    Data,        // the building data module (no window)
};

enum class TTextProperty {
    Caption,    // a label's, button's, group's or tab's text, a menu's or menu item's caption
    Title,      // the window title
    Hint,       // a whole hint "short|long" (or one text for both)
    HintShort,  // the short part of a hint of two texts
    HintLong,   // the long part; the hint is set when it is read
    Column,     // the title of grid column Index
    Item,       // item Index of a list box
    GroundKind, // the name of foundation kind Index in the foundation-type list
    Message,    // item Index of the window's (or module's) message list
    BaseName,   // the base name of new members of default-name kind Index
    AxisTitle,  // the bottom axis title of a chart
    TextLine,   // line Index of a text box
};

struct TTextEntry {
    int Number;
    TTextWindow Window;
    const char* Control; // empty for the window itself or its message list
    TTextProperty Property;
    int Index;
};

// In ascending order of Number; a number may feed several controls.
const std::vector<TTextEntry>& TextTable();

// True for the numbers no control reads (724, 741-853, 918-941).
bool IsUnreadText(int Number);

} // namespace bvi18n
