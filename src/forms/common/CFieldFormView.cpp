#include "forms/common/CFieldFormView.h"

#include "forms/common/FormSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {

bool isPageKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

} // namespace

CFieldFormView::CFieldFormView(FormContext& context, int command, QWidget* parent)
    : CFormView(context, command, parent)
{
}

CFieldForm* CFieldFormView::makeDeclaredForm(fields::FieldTable fields, std::string_view key,
                                             std::vector<int> pageTexts)
{
    titleText_ = declaredFormTitle(key);
    FormContext& shared = context();
    return new CFieldForm(
        fields, [&shared, key] { return openDeclaredForm(shared, key); }, [this](int n) { return text(n); },
        shared.host.decimalSeparator(), this, std::move(pageTexts));
}

void CFieldFormView::refreshFromImage()
{
    if (form_)
        form_->refresh();
}

QString CFieldFormView::formTitle() const
{
    return text(titleText_);
}

void CFieldFormView::setFieldForm(CFieldForm* form, const QList<QPushButton*>& extraButtons, QWidget* body)
{
    form_ = form;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body ? body : form_);
    layout->addStretch(1);
    layout->addLayout(closeAndHelpRow({extraButtons.begin(), extraButtons.end()}));
    for (const BuiltItem& built : form_->items()) {
        built.control->installEventFilter(this);
        if (QLineEdit* line = CFieldForm::lineOf(built.control))
            line->installEventFilter(this);
    }
}

void CFieldFormView::showStored(int item, const fields::EditResult& result)
{
    showStoredChange(result);
    if (result.refused && control(item))
        control(item)->setFocus(Qt::OtherFocusReason);
}

void CFieldFormView::closeForm()
{
    context().host.closeForm(command());
}

bool CFieldFormView::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QComboBox* combo = qobject_cast<QComboBox*>(object);
        if (!combo && object->parent())
            combo = qobject_cast<QComboBox*>(object->parent());
        const bool popupOpen = combo && combo->view()->isVisible();
        if (!popupOpen && isPageKey(key->key())) {
            // Leave the box first so that a typed value is stored on the record it belongs to.
            form_->commitPending(qobject_cast<QWidget*>(object));
            stepRecord(key->key() == Qt::Key_PageUp ? +1 : -1);
            return true;
        }
        if (!popupOpen && key->key() == Qt::Key_Escape) {
            closeForm();
            return true;
        }
    }
    return CFormView::eventFilter(object, event);
}

void CFieldFormView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter walks the form like Tab; on a button it presses the button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    if (isPageKey(event->key())) {
        stepRecord(event->key() == Qt::Key_PageUp ? +1 : -1);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        closeForm();
        return;
    }
    CFormView::keyPressEvent(event);
}

} // namespace rps
