// The plausibility check of a building: inputs that the calculation accepts
// but that are most likely a slip of the user (a wall of area 0, an indoor
// temperature of 2 °C, a window U-value of 13), and a yearly demand per m²
// that no real building has. The check never blocks anything; it lists what
// it finds, each finding naming the member, its value and the plausible
// range, in the words of the input pages.
//
// Every limit is one row of PlausibilityLimits(); the rules look their row
// up by its id, so a limit is changed in one place.
#pragma once

#include <limits>
#include <string>
#include <vector>

class TDatabase;
class TDataModuleBuildingData;

// One row of the limit table: the plausible values of one quantity are
// Low..High (an infinite bound is open; LowExcluded makes Low itself
// implausible, as an area of 0 is).
struct TPlausibilityLimit {
    const char* Rule;     // id of the rule ("window-u"), also in the CLI's JSON
    double Low;
    double High;
    bool LowExcluded;
    const char* Unit;     // "m²", "°C", "" for a count
    int Decimals;         // at most this many decimals when the value is shown
    // The finding as the user reads it; "{value}" becomes the value with its
    // unit, "{limit}" the plausible range ("10–30 °C", "över 0 m²").
    const char* Text;
    // Why the limit is where it is, in one line (shown as the hint of the
    // finding in the window).
    const char* Reason;
};

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// The table, in the order the rules run.
const std::vector<TPlausibilityLimit>& PlausibilityLimits();
// The row of a rule id; raises EBVException for an unknown id.
const TPlausibilityLimit& PlausibilityLimit(const std::string& Rule);

struct TPlausibilityWarning {
    std::string Rule;   // the limit row's id
    // The member as the pages name it: its kind, then its name
    // ("Ytterväggar: Vägg 1", "Ytterväggar: Vägg 1, skikt 2 (Mineralull)"),
    // or the kind alone for the building's own values ("Byggnad") and for
    // what concerns every member of a kind ("Fönster", "Tak").
    std::string Member;
    double Value = 0;   // in Unit
    std::string Unit;
    std::string Limit;  // "10–30 °C"
    std::string Text;   // "Innetemperaturen är 5 °C; rimligt är 10–30 °C."
    std::string Reason;

    // "Member: Text", the line the command-line tool and the window show.
    std::string Line() const { return Member + ": " + Text; }
};

// The findings for building BuildingID (its stored rows; the ID compared
// without regard to letter case). ResultsCurrent says whether the stored
// results belong to the inputs: only then is the yearly demand judged.
// Values that are NULL or no number are left to the calculation, which
// reports them. A building that does not exist has no findings.
std::vector<TPlausibilityWarning> CheckPlausibility(TDatabase& Db, const std::string& BuildingID,
                                                    bool ResultsCurrent);
// The findings for the current building of the data module, judging the
// results when the module says the building is calculated. The rows are
// read as stored: pending edits of the views are not seen until posted.
std::vector<TPlausibilityWarning> CheckPlausibility(TDataModuleBuildingData& Data);

// A value as the findings show it: at most Decimals decimals, no trailing
// zeros, decimal comma ("2,53", "0", "-1,5").
std::string PlausibilityNumber(double Value, int Decimals);
