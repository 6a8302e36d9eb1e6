// What the building and the material export dialogs share: two lists, the
// rows not chosen and the rows chosen, moved between them with the buttons
// or by double-clicks, and Save, which writes the chosen rows to a file.
#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TDataset;
class TExportSelection;

class TFormExportList : public QDialog {
    Q_OBJECT
public:
    ~TFormExportList() override;

    void IBEAntialiasButtonAddClick();
    void IBEAntialiasButtonAddAllClick();
    void IBEAntialiasButtonDelClick();
    void IBEAntialiasButtonDelAllClick();
    void IBEAntialiasButtonSaveClick();
    void IBEAntialiasButtonOkClick();

protected:
    struct TTexts {
        QString Title, Available, Selected, FileName, Filter, Suffix;
    };
    TFormExportList(const TTexts& Texts, QWidget* Parent);
    // The rows to choose from, re-read for each opening.
    virtual TDataset& Rows() = 0;
    // Writes the rows (1-based record numbers of Rows()) to the file.
    virtual void Write(const std::vector<int>& RecNos, const std::string& Path) = 0;
    void showEvent(QShowEvent* Event) override;

private:
    void Fill();

    TTexts FTexts;
    std::unique_ptr<TExportSelection> FSelection;
    QListWidget* FAvailable;
    QListWidget* FSelected;
};
