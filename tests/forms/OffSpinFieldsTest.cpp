// Every spin field with an off value on every declared form, with real focus changes and
// keys: a field showing its off text that is entered and left stores nothing, also after the
// spin buttons took it to off, and a cell editor opened on it and left stores nothing.
#include "FormTestHost.h"
#include "forms/FieldForms.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CFieldFormView.h"
#include "forms/common/CGridView.h"
#include "forms/common/CSpinEdit.h"
#include "forms/common/FormSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rps;
using rps::test::FormTestHost;

namespace {

struct OffField {
    const DeclaredForm* form;
    const fields::FieldRow* row;
};

std::vector<OffField> offSpinFields()
{
    std::vector<OffField> found;
    FormTestHost host;
    for (const DeclaredForm& form : declaredForms()) {
        const auto session = form.open(host.image, formFieldEnv(host.context));
        for (const fields::FieldRow& row : session->engine().table()) {
            if (row.control == fields::Control::EditWithSpin && row.range.hasOff && row.isDataField())
                found.push_back({&form, &row});
        }
    }
    return found;
}

int commandOf(const DeclaredForm& form)
{
    for (const FormDescriptor& descriptor : formCatalog()) {
        if (descriptor.titleText == form.titleText && descriptor.create)
            return descriptor.command;
    }
    return 0;
}

std::vector<uint8_t> bytesOf(ConfigImage& image)
{
    std::vector<uint8_t> all(image.main().begin(), image.main().end());
    all.insert(all.end(), image.aux().begin(), image.aux().end());
    all.insert(all.end(), image.local().begin(), image.local().end());
    return all;
}

void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    QApplication::processEvents();
}

// Puts the field at its off value the way the command-line tool does; false when the form
// does not let it be edited on this image.
bool storeOff(FormTestHost& host, const OffField& field)
{
    const fields::FieldEnv env = formFieldEnv(host.context);
    const auto session = field.form->open(host.image, env);
    fields::FieldEngine& engine = session->engine();
    const fields::EditResult result = engine.commitText(*field.row, 0, env.text(field.row->range.offText));
    return !result.refused && engine.enabled(*field.row, 0) &&
           engine.raw(*field.row, 0) == field.row->range.offRaw;
}

CFieldFormView* openView(FormTestHost& host, const OffField& field)
{
    const int command = commandOf(*field.form);
    host.openForm(command);
    auto* view = qobject_cast<CFieldFormView*>(host.form(command));
    if (view) {
        view->resize(1200, 800);
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view));
    }
    return view;
}

void showPageOf(CFieldFormView* view, QWidget* control)
{
    if (auto* tabs = view->findChild<QTabWidget*>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(control))
                tabs->setCurrentIndex(page);
        }
    }
}

void leaveTheCellEditor(FormTestHost& host, CFieldFormView* view, const OffField& field,
                        const QString& offText)
{
    const std::vector<uint8_t> before = bytesOf(host.image);
    CGridView* grid = view->fieldForm()->grid(field.row->place.group);
    ASSERT_NE(grid, nullptr);
    showPageOf(view, grid);
    grid->setFocus();
    grid->setCurrentCell(field.row->place.cellRow, field.row->place.cellColumn);
    EXPECT_EQ(grid->currentIndex().data().toString(), offText);
    for (Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
        grid->setFocus();
        press(Qt::Key_F2);
        ASSERT_TRUE(grid->isEditing());
        EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), offText);
        press(leave);
        EXPECT_FALSE(grid->isEditing());
        EXPECT_EQ(bytesOf(host.image), before) << "left with key " << leave;
    }
}

void leaveTheSpinField(FormTestHost& host, CFieldFormView* view, const OffField& field,
                       const QString& offText)
{
    const std::vector<uint8_t> before = bytesOf(host.image);
    auto* spin = qobject_cast<CSpinEdit*>(view->control(field.row->item));
    ASSERT_NE(spin, nullptr);
    QLineEdit* line = CFieldForm::lineOf(spin);
    showPageOf(view, spin);
    ASSERT_TRUE(spin->isEnabled());
    EXPECT_EQ(line->text(), offText);
    spin->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    press(Qt::Key_Tab);
    EXPECT_FALSE(spin->hasFocus());
    EXPECT_EQ(bytesOf(host.image), before);
    EXPECT_EQ(line->text(), offText);

    // Back in with Shift+Tab and out again: still nothing.
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(spin->hasFocus());
    press(Qt::Key_Tab);
    EXPECT_EQ(bytesOf(host.image), before);

    if (!field.row->range.spinsThroughOff)
        return;
    // Up leaves off for the minimum, Down spins back to off; leaving then stores nothing more.
    spin->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Up);
    EXPECT_NE(bytesOf(host.image), before);
    press(Qt::Key_Down);
    EXPECT_EQ(bytesOf(host.image), before);
    EXPECT_EQ(line->text(), offText);
    press(Qt::Key_Tab);
    EXPECT_EQ(bytesOf(host.image), before);
    EXPECT_EQ(line->text(), offText);
}

} // namespace

TEST(OffSpinFields, EnteringAndLeavingAFieldThatShowsOffStoresNothing)
{
    const std::vector<OffField> fields = offSpinFields();
    // The repeater and local-mic time-out timers with their pre-alert, rekey and reset times,
    // the hold timer, QT decode delay, signal reset, courtesy period, the event timers, the
    // hang time and the key data.
    EXPECT_GE(fields.size(), 17u);
    int tried = 0;
    for (const OffField& field : fields) {
        SCOPED_TRACE(std::string(field.form->key) + "." + std::string(field.row->key));
        FormTestHost host;
        makeChannelEditor(host.context).setFrequency(0, false, "150", false); // a channel to show
        if (!storeOff(host, field))
            continue; // not editable on this image
        CFieldFormView* view = openView(host, field);
        ASSERT_NE(view, nullptr);
        const QString offText =
            QString::fromStdString(formFieldEnv(host.context).text(field.row->range.offText));
        if (field.row->place.isCell())
            leaveTheCellEditor(host, view, field, offText);
        else
            leaveTheSpinField(host, view, field, offText);
        ++tried;
    }
    EXPECT_GE(tried, 14);
}

TEST(OffSpinFields, AnOffTextLongerThanATypedNumberIsShownWholeAndStoresNothing)
{
    QWidget window;
    auto* spin = new CSpinEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    spin->setEngineDriven(true);
    spin->setFilter({CharFilterKind::Digits, 2, '.', {}});
    QStringList committed;
    QObject::connect(spin, &CSpinEdit::textCommitted,
                     [&committed](const QString& text) { committed << text; });
    spin->setDisplayText("Switched off");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit* line = CFieldForm::lineOf(spin);
    spin->setFocus();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(line->text(), "Switched off");
    EXPECT_TRUE(committed.isEmpty());

    spin->setFocus();
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(line, "7x");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(committed, QStringList{"7"});
}
