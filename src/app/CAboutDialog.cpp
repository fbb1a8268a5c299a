#include "app/CAboutDialog.h"

#include "app/ShellDialogParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace rps {

CAboutDialog::CAboutDialog(const LanguageTable& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName("aboutDialog");
    setWindowTitle(languageText(texts, 8));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(productPicture(150, 120));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture);

    auto* lines = new QVBoxLayout;
    auto* name = new QLabel(languageText(texts, 1), this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);
    lines->addWidget(name);
    auto* version = new QLabel(languageText(texts, 2), this);
    lines->addWidget(version);
    for (int index : {3, 4, 5, 6, 7}) {
        auto* line = new QLabel(languageText(texts, index), this);
        line->setWordWrap(true);
        lines->addWidget(line);
    }
    lines->addStretch(1);
    top->addLayout(lines, 1);
    layout->addLayout(top);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    QDialogButtonBox* buttons = makeButtonRow(texts, this, false, false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

} // namespace rps
