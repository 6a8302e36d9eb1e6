#include "exchange/ImportCommon.h"

TConflictAction TConflictAnswer::Decide(const std::function<bool()>& Taken, const std::function<TImportReply()>& Ask,
                                        const std::function<void(const std::string&)>& Rename) {
    for (;;) {
        if (FAnswer == TImportAnswer::Cancel)
            return TConflictAction::Cancel;
        if (!Taken())
            return TConflictAction::Store;
        if (FAnswer == TImportAnswer::Ask) {
            const TImportReply Reply = Ask();
            if (Reply.Answer == TImportAnswer::Rename) {
                // The answer stays at ask: the new name is checked again.
                if (!Reply.NewName.empty())
                    Rename(Reply.NewName);
                continue;
            }
            if (Reply.Answer == TImportAnswer::Ask) {
                if (FClosed == AskAgain)
                    continue;
                return TConflictAction::Skip;
            }
            FAnswer = Reply.Answer;
        }
        const TImportAnswer Given = FAnswer;
        if (Given == TImportAnswer::Yes || Given == TImportAnswer::No)
            FAnswer = TImportAnswer::Ask;
        switch (Given) {
        case TImportAnswer::Yes:
        case TImportAnswer::YesToAll: return TConflictAction::Replace;
        case TImportAnswer::Cancel: return TConflictAction::Cancel;
        default: return TConflictAction::Skip;
        }
    }
}

std::string UnreadRecordsWarning(int64_t Count) {
    return "Filen innehåller fler poster än den anger: " + std::to_string(Count) +
           (Count == 1 ? " post" : " poster") + " lästes inte.";
}
