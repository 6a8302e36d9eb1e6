// Change notification: a subject keeps a list of observers and tells each of
// them, in the order they were attached, that something changed.
#pragma once

#include <algorithm>
#include <vector>

class IStatusObserver {
public:
    virtual ~IStatusObserver() = default;
    virtual void StatusChanged() = 0;
};

// Observers are borrowed: the subject neither owns them nor keeps them alive;
// an observer detaches itself before it goes away.
class TSubject {
public:
    // Attaching an observer that is already in the list changes nothing.
    void Attach(IStatusObserver* Observer) {
        if (Observer != nullptr && std::find(FObservers.begin(), FObservers.end(), Observer) == FObservers.end()) {
            FObservers.push_back(Observer);
        }
    }
    // Detaching an observer that is not in the list changes nothing.
    void Detach(IStatusObserver* Observer) {
        FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), Observer), FObservers.end());
    }
    // Calls every observer synchronously. An observer may call back into
    // the subject's owner, attach or detach: the round works on the list as
    // it was when it began, skipping observers detached meanwhile.
    void Notify() {
        const std::vector<IStatusObserver*> Round = FObservers;
        for (IStatusObserver* O : Round) {
            if (std::find(FObservers.begin(), FObservers.end(), O) != FObservers.end()) {
                O->StatusChanged();
            }
        }
    }
    size_t ObserverCount() const { return FObservers.size(); }

private:
    std::vector<IStatusObserver*> FObservers;
};
