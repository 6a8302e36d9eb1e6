// The progress of an import as the import loop reports it. The progress
// window implements this interface, and so does anything else that runs an
// import (the command-line tool, the tests); every operation has a default
// that does nothing, so an implementation overrides only what it shows.
#pragma once

#include <string>

struct TImportOutcome;

class IImportNotifier {
public:
    virtual ~IImportNotifier() = default;

    // Shows the progress with Maximum steps and clears the abort request.
    virtual void Start(int Maximum) { (void)Maximum; }
    // Lets the user interface handle pending events (repaint, the abort
    // button). Called before each building is read and after the texts of
    // a building are set. The loop keeps no pace of its own: an
    // implementation that wants the user to follow the progress waits here.
    virtual void ProcessEvents() {}
    virtual void SetPosition(int Position) { (void)Position; }
    // True once the user asked to stop; looked at once per building, before
    // the building is read.
    virtual bool AbortRequested() { return false; }
    // Shows the progress again if it was hidden and sets its title and message.
    virtual void SetTexts(const std::string& Title, const std::string& Message) {
        (void)Title;
        (void)Message;
    }
    // No longer called: the import loop makes no fixed pauses (pacing is
    // ProcessEvents' business). Kept so that implementations that override
    // it still compile.
    virtual void Pause(int Milliseconds) { (void)Milliseconds; }
    // What became of one building of the file (or of several, when the file
    // ends before the buildings it announces).
    virtual void BuildingHandled(const TImportOutcome& Outcome) { (void)Outcome; }
    // Closes the progress.
    virtual void Finish() {}
};

// The texts of the progress: "Importerar byggnad 3 av 10" and "Importerar Villa".
std::string ImportProgressTitle(int Number, int Count);
std::string ImportProgressMessage(const std::string& BuildingID);
