#include "forms/common/CFormView.h"

#include "forms/common/FormSupport.h"
#include "forms/common/HelpRequest.h"
#include "texts/CommonTexts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace rps {

void CFormView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        context_.host.closeForm(command_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CFormView::showStoredChange(const fields::EditResult& result)
{
    showFormMessage(context_, result.message);
    if (result.changed)
        context_.host.refreshAllForms();
    refreshFromImage();
}

QHBoxLayout* CFormView::closeAndHelpRow(const QList<QWidget*>& leading)
{
    auto* closeButton = new QPushButton(text(texts::kCloseText), this);
    auto* helpButton = new QPushButton(text(texts::kHelpText), this);
    closeButton->setObjectName("close");
    helpButton->setObjectName("helpButton");
    connectHelpButton(helpButton);
    auto* row = new QHBoxLayout;
    for (QWidget* widget : leading)
        row->addWidget(widget);
    row->addStretch(1);
    row->addWidget(closeButton);
    row->addWidget(helpButton);
    connect(closeButton, &QPushButton::clicked, this, [this] { context_.host.closeForm(command_); });
    return row;
}

} // namespace rps
