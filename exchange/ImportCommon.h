// What the import of buildings and the import of materials share: the answer
// to the question about a name that is taken, the loop that asks it, and the
// warning about records the file does not announce.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The answer to the question about an existing building or material.
enum class TImportAnswer { Ask, Yes, YesToAll, No, NoToAll, Rename, Cancel };

struct TImportReply {
    // Ask: the question was closed without an answer.
    TImportAnswer Answer = TImportAnswer::Ask;
    // With Rename: the name the rename box returned. An empty name keeps
    // the current one.
    std::string NewName;
};

// What becomes of one incoming building or material.
enum class TConflictAction {
    Store,   // its name (perhaps a new one) is free: store it
    Replace, // replace the existing one of that name
    Skip,    // keep the existing one
    Cancel,  // the import was cancelled: store nothing more
};

// The answer to the question about taken names over one import. Yes and no
// hold for one item; yes to all, no to all and cancel for the rest of the
// import. Rename gives the item a new name, which is checked again, so a
// name that is taken too brings the question back.
class TConflictAnswer {
public:
    // What a question closed without an answer means: ask again (the
    // building import) or skip the item (the material import).
    enum TClosed { AskAgain, SkipItem };
    explicit TConflictAnswer(TClosed Closed) : FClosed(Closed) {}

    // Decides about one item. Taken says whether its name (after a rename,
    // its new name) is taken; Ask asks the user about it; Rename gives it a
    // new name. Exceptions of the three pass on.
    TConflictAction Decide(const std::function<bool()>& Taken, const std::function<TImportReply()>& Ask,
                           const std::function<void(const std::string&)>& Rename);

    TImportAnswer Current() const { return FAnswer; }

private:
    TClosed FClosed;
    TImportAnswer FAnswer = TImportAnswer::Ask;
};

// The result of an import that refuses its file as a whole (it cannot be
// read, its header is broken or of another version): nothing is stored, and
// the reason is shown in a warning.
template <class TResult, class TDialogs>
TResult RefusedImport(TDialogs& Dialogs, const std::string& Reason) {
    TResult R;
    R.Refused = true;
    R.Error = Reason;
    Dialogs.Warning(Reason);
    return R;
}

// The warning for a file that holds more records than its header announces,
// after the announced ones were imported: "Filen innehåller fler poster än
// den anger: 3 poster lästes inte."
std::string UnreadRecordsWarning(int64_t Count);
