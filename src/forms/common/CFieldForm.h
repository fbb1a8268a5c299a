#pragma once
// The controls of a declared form: one caption and control per field row, laid out by the
// rows' places (pages as tabs, columns, group frames), with the rows' filters, lengths and
// ranges; a grid row holds the rows placed in its cells. One refresh shows every field of the current record
// from the engine and enables each control with its caption; one commit path hands every user action to the
// engine.
#include "forms/common/CItemFormBuilder.h"
#include "forms/fields/DeclaredForm.h"

#include <QMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;

namespace rps {

class CGridView;

class CFieldForm : public QWidget {
    Q_OBJECT
public:
    using SessionFactory = std::function<std::unique_ptr<FieldFormSession>()>;
    using TextLookup = std::function<QString(int)>;

    // pageTexts: the tab captions when the rows use more than one page.
    CFieldForm(fields::FieldTable table, SessionFactory open, TextLookup text, char decimalSeparator,
               QWidget* parent = nullptr, std::vector<int> pageTexts = {});
    ~CFieldForm() override;

    QWidget* control(int item) const;
    // The grid of a grid row.
    CGridView* grid(int item) const { return grids_.value(item, nullptr); }
    // The line edit a control types into (an edit, an editable list, a spin edit).
    static QLineEdit* lineOf(QWidget* control);
    const QMap<int, BuiltItem>& items() const { return items_; }

    int record() const { return record_; }
    void setRecord(int record) { record_ = record; }
    // Shows every field of the current record and enables each control with its caption.
    void refresh();
    // Stores a text typed into the control holding `widget` that has not been left yet.
    void commitPending(QWidget* widget);

signals:
    // A change went through the engine.
    void edited(int item, const fields::EditResult& result);
    // The record selector (a spin row without storage) asked for another record.
    void recordChosen(int record);
    void buttonClicked(int item);

private:
    void buildControls(const TextLookup& text, const std::vector<int>& pageTexts, char separator);
    void buildGrid(const fields::FieldRow& gridRow, const TextLookup& text, char separator);
    void connectControl(const fields::FieldRow& row);
    void commitText(const fields::FieldRow& row);
    void choose(const fields::FieldRow& row, int index);
    void finish(const fields::FieldRow& row, const fields::EditResult& result);
    void showField(fields::FieldEngine& engine, const fields::FieldRow& row);

    fields::FieldTable table_;
    std::vector<FormItem> formItems_; // the layout rows the builder keeps pointers to
    SessionFactory open_;
    QMap<int, BuiltItem> items_;
    QMap<int, CGridView*> grids_;
    int record_ = 0;
    bool refreshing_ = false;
};

} // namespace rps
