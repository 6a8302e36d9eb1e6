// Cursor-based views of one table (TDataset) or of a SELECT (TQuery): the rows
// held in memory with their rowid, a current row, edit/insert states,
// master-detail restriction, locate, bookmarks, calculated fields and
// listeners for scroll, field change, state change and refresh.
#pragma once

#include "db/Database.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Column types, recognised from the declared SQL type (upper-cased, without
// the part in parentheses), tested in this order: "BOOL..." boolean, "INT..."
// integer, "REAL..."/"FLOAT..."/"DOUB..." double, "CHAR..." or exactly
// "VARCHAR" string (size from the parentheses), exactly "TIME" time,
// containing "BLOB" blob, containing "CLOB" or "TEXT" memo. Further names:
// "...INT" (BIGINT, SMALLINT, ...) integer, "NUMERIC", "DECIMAL" and
// "NUMBER" double, "NCHAR", "NVARCHAR", "VARCHAR2" string. Anything else
// (and no declared type) is Unknown: such a column holds what it is given.
enum class TFieldType { Unknown, Boolean, Integer, Double, String, Time, Blob, Memo };

TFieldType FieldTypeFromDeclared(const std::string& Declared, int* Size = nullptr);

// Text comparison and case folding used by Locate and by every key lookup of
// the system: UTF-8, case ignored for ASCII, the Latin-1 letters (å, ä, ö,
// é ...), Latin Extended-A, Greek and Cyrillic. Bytes that are not valid
// UTF-8 are kept as they are and compare by their value.
std::string UpperCaseText(const std::string& S);
bool SameText(const std::string& A, const std::string& B);
// Orders text with case ignored as above: <0, 0, >0.
int CompareText(std::string_view A, std::string_view B);
// The boolean reading rule for text: "Y", "YES", "T", "TRUE" in any case, or
// a non-zero integer, surrounding blanks ignored.
bool TextIsTrue(std::string_view S);

enum class TDatasetState { Inactive, Browse, Edit, Insert };

enum class TDatasetEvent {
    Scroll,      // another row became current (also after Open, Refresh, Delete,
                 // Append/Insert, Cancel)
    StateChange, // the state changed (browse/edit/insert/inactive)
    FieldChange, // a field of the current row was set; the TField* is passed
    Refresh,     // the rows were re-read (Open, Refresh, a detail following its master)
    AfterPost,   // a row was written
    AfterDelete, // a row was deleted
};

class TDataset;
class TField;
using TDatasetListener = std::function<void(TDataset&, TDatasetEvent, TField*)>;

// A column of a dataset; the value accessors read and write the current row.
class TField {
public:
    const std::string& FieldName() const { return FName; }
    TFieldType DataType() const { return FType; }
    int Size() const { return FSize; }         // declared text length, 0 otherwise
    bool Required() const { return FRequired; } // NOT NULL in the schema
    bool Calculated() const { return FCalculated; }
    int Index() const { return FIndex; }        // position in Fields()

    bool IsNull() const;
    TValue Value() const;
    // NULL reads as "". Numbers are written with "." as decimal separator,
    // as short as reads back the same double.
    std::string AsString() const;
    // Reading NULL (or text that is not a number, or bytes) as a number
    // raises EDatabaseError naming table and column. Text is read with "."
    // (or a single "," when there is no ".") as decimal separator. A
    // fractional value read as an integer is rounded half to even; a value
    // outside the 32-bit range raises in AsInteger. A boolean column reads
    // as 1 or 0; a time column as the fraction of a day.
    int32_t AsInteger() const;
    int64_t AsLargeInt() const;
    double AsFloat() const;
    // True for "Y", "YES", "T", "TRUE" (any case) and non-zero numbers; false otherwise (NULL too).
    bool AsBoolean() const;
    TBlob AsBlob() const;

    // Setters need edit or insert state (calculated fields can be set in the
    // calc-fields handler at any time). They convert to the column's type:
    // booleans are stored as 'Y'/'N', times as 'hh:mm:ss' (from text
    // "h:mm[:ss]" or from a fraction of a day), integers round half to even.
    // Text that does not convert, text longer than the declared length (in
    // characters) and non-finite numbers raise EDatabaseError and change
    // nothing; "" sets a number, boolean or time column to NULL. Each
    // raises the FieldChange event.
    void SetValue(const TValue& V);
    void SetString(const std::string& S);
    void SetInteger(int64_t I);
    void SetFloat(double D);
    void SetBoolean(bool B);
    void SetNull();
    void Clear() { SetNull(); }

    // Runs before every set with the converted new value; throwing from it
    // refuses the value and leaves the field as it was.
    void SetOnValidate(std::function<void(const TField&, const TValue&)> Handler) {
        FOnValidate = std::move(Handler);
    }

private:
    friend class TDataset;
    TField(TDataset& Owner, int Index, std::string Name, TFieldType Type, int Size, bool Required,
           bool Calculated)
        : FOwner(Owner), FIndex(Index), FName(std::move(Name)), FType(Type), FSize(Size),
          FRequired(Required), FCalculated(Calculated) {}
    [[noreturn]] void Fail(const std::string& What) const;
    TValue Convert(const TValue& V) const;
    TDataset& FOwner;
    int FIndex;
    std::string FName;
    TFieldType FType;
    int FSize;
    bool FRequired;
    bool FCalculated;
    std::function<void(const TField&, const TValue&)> FOnValidate;
};

// A remembered row (by rowid); valid while that row exists in the view.
struct TBookmark {
    int64_t RowId = 0;
    int RecNo = 0; // 1-based position when taken, used when the row is gone
    bool Valid = false;
};

struct TLocateOptions {
    bool CaseSensitive = false;
};

class TDataset {
public:
    // A view of table Table on Db. Set the restriction, order and master
    // before Open().
    TDataset(TDatabase& Db, std::string Table);
    TDataset(const TDataset&) = delete;
    TDataset& operator=(const TDataset&) = delete;
    virtual ~TDataset();

    TDatabase& Database() const { return FDb; }
    const std::string& TableName() const { return FTable; }

    // WHERE restriction with "?" parameters bound to Params, for example
    // SetFilter("TYPE = ?", {std::string("OuterWall")}). Empty: all rows.
    void SetFilter(std::string Where, std::vector<TValue> Params = {});
    void SetOrderBy(std::string OrderBy);
    // Makes this view a detail of Master: rows are restricted to
    // DetailColumn = Master.MasterColumn for every pair (text compared
    // without regard to case), re-read whenever the master's link values
    // change (another current row, a new row, a link field set) or the
    // master is re-read, and appended rows take those values. While the
    // master has no current row, or a link value is NULL, the detail is
    // empty. A pending edit of the detail is posted before it re-reads.
    // For a TQuery the first of each pair names a parameter (":ID"), bound
    // to the master's column. nullptr removes the master.
    void SetMaster(TDataset* Master, std::vector<std::pair<std::string, std::string>> Links);
    TDataset* Master() const { return FMaster; }

    // Calculated fields: added before Open(); the handler runs for every row
    // that is read and again after a field of the current row is set.
    void AddCalculatedField(const std::string& Name, TFieldType Type);
    void SetOnCalcFields(std::function<void(TDataset&)> Handler);

    // Raises EDatabaseError naming the table and the database when the
    // table does not exist.
    void Open();
    // Discards a pending edit or insert (nothing is written).
    void Close();
    bool Active() const { return FState != TDatasetState::Inactive; }
    // Re-reads the rows; the current row stays the same row (by rowid) when
    // it still exists, otherwise the nearest position.
    void Refresh();

    TDatasetState State() const { return FState; }

    // Navigation.
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveBy(int Distance);
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    int RecNo() const;          // 1-based; 0 when empty
    void SetRecNo(int RecNo);

    // Editing. Edit and Append/Insert post nothing; Post writes the row
    // (UPDATE of the changed columns by rowid, or INSERT) in one statement
    // and raises when a required column is NULL, naming table and column; a
    // failed Post keeps the row in edit or insert state. Edit raises on an
    // empty view. Append adds after the last row, Insert before the current
    // one; both post a pending edit first and start from the schema's column
    // defaults and the master's link values. A posted row stays where it was
    // added until the view is re-read. Delete removes the current row from
    // the table (and cancels a pending insert); on an empty view it raises.
    // Navigation, Locate and Refresh post a pending edit first.
    void Edit();
    void Append();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    // Posts when in edit or insert state.
    void CheckBrowseMode();

    // Fields.
    TField& FieldByName(const std::string& Name);      // raises when unknown
    TField* FindField(const std::string& Name);        // nullptr when unknown
    const std::vector<std::unique_ptr<TField>>& Fields() const { return FFields; }
    int64_t RowId() const;                             // rowid of the current row, 0 for a new one
    // The value of field FieldIndex in row RecNo (1-based) without moving
    // the current row, for views that show every row at once: the row being
    // edited shows its pending values. NULL outside 1..RecordCount().
    const TValue& RowValue(int RecNo, int FieldIndex) const;

    // Makes the first row whose Columns equal Values current; text is compared
    // without regard to case unless Options say so. False (and the current
    // row unchanged) when there is none. Posts a pending edit first.
    bool Locate(const std::vector<std::string>& Columns, const std::vector<TValue>& Values,
                TLocateOptions Options = {});

    TBookmark GetBookmark() const;
    bool BookmarkValid(const TBookmark& B) const;
    // Returns to the bookmarked row; to the nearest position when it is gone.
    void GotoBookmark(const TBookmark& B);

    // Suppresses the Scroll, FieldChange and Refresh notifications (and the
    // re-reading of details) while > 0; StateChange, AfterPost and
    // AfterDelete are still reported. EnableControls reports what was
    // suppressed as one Refresh and/or one Scroll.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    int AddListener(TDatasetListener Listener);
    void RemoveListener(int Id);

protected:
    // For TQuery: the SELECT that produces the rows, and whether rows may be edited.
    TDataset(TDatabase& Db, std::string Sql, bool ReadOnly);

private:
    friend class TField;
    friend class TQuery;
    struct TRow {
        int64_t RowId = 0;
        std::vector<TValue> Values; // one per field, calculated fields included
    };
    struct TColumnInfo {
        std::string Name;
        std::string Declared;
        bool NotNull = false;
        bool RowIdAlias = false;            // INTEGER PRIMARY KEY: filled in by SQLite
        std::optional<std::string> Default; // SQL text of the DEFAULT clause
    };

    std::string Quoted() const;
    void ReadColumns();
    void BuildFields();
    void ReadRows(std::optional<int64_t> KeepRowId, int KeepRecNo);
    bool ReReadRow(TRow& Row);
    std::vector<TValue> CurrentLinkValues() const;
    void RunCalcFields(TRow& Row);
    void Notify(TDatasetEvent Event, TField* Field = nullptr);
    void NotifyDetails(TDatasetEvent Event, TField* Field);
    void SetState(TDatasetState S);
    void MasterChanged(bool Force);
    void DetachMaster();
    void CheckActive() const;
    void CheckWritable() const;
    TValue& CurrentValue(int Index);
    const TValue& CurrentValue(int Index) const;
    void SetFieldValue(int Index, TValue V);
    void StartNewRow(bool AtEnd);
    void EvaluateDefaults(TRow& Row);
    void MoveTo(int Index);
    bool RowMatches(const TRow& Row, const std::vector<int>& Cols, const std::vector<TValue>& Values,
                    bool CaseSensitive) const;
    std::string Where(uint64_t FoldedLinks) const;
    void BindQueryParams(TStatement& St) const;

    TDatabase& FDb;
    std::string FTable;
    std::string FSql;
    bool FReadOnly = false;
    bool FIsQuery = false;
    std::string FWhere;
    std::vector<TValue> FWhereParams;
    std::string FOrderBy;
    TDataset* FMaster = nullptr;
    std::vector<TDataset*> FDetails;
    std::vector<std::pair<std::string, std::string>> FLinks;
    std::vector<int> FLinkFields;          // detail field index per link (tables)
    std::vector<TValue> FLinkValues;       // master values the rows were read with
    std::vector<std::pair<std::string, TFieldType>> FCalcDefs;
    std::function<void(TDataset&)> FOnCalcFields;
    TRow* FCalcRow = nullptr;              // the row the calc-fields handler works on
    std::vector<TColumnInfo> FColumns;
    std::vector<std::unique_ptr<TField>> FFields;
    std::map<std::string, int> FFieldIndex; // upper-cased name -> index
    std::vector<TRow> FRows;
    int FCur = -1;                 // index into FRows, -1 when empty
    bool FEof = true;
    bool FBof = true;
    TDatasetState FState = TDatasetState::Inactive;
    TRow FEditBuffer;              // the row being edited or inserted
    std::vector<bool> FModified;   // columns set since Edit/Append/Insert
    int FInsertPos = -1;           // where an inserted row goes
    int FPrevCur = -1;             // current row before Append/Insert
    int FDisableCount = 0;
    bool FPendingScroll = false;
    bool FPendingRefresh = false;
    int FNextListenerId = 1;
    std::vector<std::pair<int, TDatasetListener>> FListeners;
    // Prepared statements, kept for the life of the view.
    std::unique_ptr<TStatement> FSelectStmt;  // TQuery
    // Table SELECTs by the links whose values need the full case folding
    // (non-ASCII text); ASCII values compare with NOCASE, which can use an index.
    std::map<uint64_t, std::unique_ptr<TStatement>> FTableSelects;
    std::unique_ptr<TStatement> FRowStmt;
    std::unique_ptr<TStatement> FInsertStmt;
    std::unique_ptr<TStatement> FDeleteStmt;
    std::unique_ptr<TStatement> FDefaultStmt;
    std::map<std::vector<bool>, std::unique_ptr<TStatement>> FUpdateStmts;
    // TQuery parameters.
    std::map<std::string, TValue> FParamsByName;
    std::map<int, TValue> FParamsByIndex;
    std::unique_ptr<TStatement> FExecStmt;
};

// A SELECT with bound parameters, read-only. Open() runs it; ExecSQL() runs
// one statement that returns no rows. Refresh() runs the SELECT again.
class TQuery : public TDataset {
public:
    explicit TQuery(TDatabase& Db, std::string Sql = {});
    // Closes the query and forgets the parameters.
    void SetSQL(std::string Sql);
    const std::string& SQL() const { return FSql; }
    // Name with its prefix (":ID"; a name without prefix gets ":"), or a
    // 1-based index for "?". Parameters not set are NULL.
    void SetParam(const std::string& Name, const TValue& Value);
    void SetParam(int Index, const TValue& Value);
    void ExecSQL();
};
