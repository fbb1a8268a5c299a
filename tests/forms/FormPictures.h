#pragma once
// What the form picture programs share: the demonstration configuration in a form test host,
// values typed into declared fields, and a form in its child frame on a 1280x800 MDI area as
// the main window shows it, saved as a picture.
#include "FormTestHost.h"
#include "forms/FieldForms.h"
#include "forms/common/CChildFrame.h"
#include "model/DataFile.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>

#include <functional>
#include <iostream>

namespace rps::test {

// The folder named first on the command line ("screenshots" without one), made.
inline QDir pictureFolder(int argc, char** argv)
{
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(folder.path());
    return folder;
}

// The demonstration configuration in the host, as Open leaves it; false, said on the error
// stream, when it cannot be read.
inline bool loadDemonstration(FormTestHost& host)
{
    const std::string demo = std::string(kSourceDir) + "/demo/demo.dat";
    if (loadImage(demo, host.image).code != 0) {
        std::cerr << "cannot open " << demo << '\n';
        return false;
    }
    host.image.restoreSnapshot();
    return true;
}

// A value typed into a declared field and left, as the form takes it.
inline void enterField(FormTestHost& host, const std::string& key, const std::string& text)
{
    const DeclaredForm* form = findDeclaredForm(key.substr(0, key.find('.')));
    const auto session = form->open(
        host.image, fields::FieldEnv{[&host](int n) { return host.texts.text(n); }, host.limits, '.'});
    const auto field = findField(*form, session->engine(), key);
    if (!field || enterFieldText(session->engine(), *field, text).refused)
        std::cerr << "the picture goes without " << key << " = " << text << '\n';
}

// The form of a command on a page of its tab control (-1: as it opens), `arrange` done once it
// shows (a sort, a selection), saved to file.
inline void saveFormPicture(FormTestHost& host, int command, const QString& file, int page = -1,
                            const std::function<void(CFormView&)>& arrange = {})
{
    QMdiArea area;
    area.resize(1280, 800);
    CFormView* form = findForm(command)->create(host.context, nullptr);
    QMdiSubWindow* frame = form->createFrame({});
    QMdiSubWindow* window = area.addSubWindow(frame ? static_cast<QWidget*>(frame) : form);
    window->setWindowTitle(form->formTitle());
    window->setWindowIcon(area.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    form->refreshFromImage();
    if (auto* tabs = form->findChild<QTabWidget*>(); tabs && page >= 0)
        tabs->setCurrentIndex(page);
    window->resize(window->sizeHint());
    area.show();
    window->show();
    QApplication::processEvents();
    if (arrange) {
        arrange(*form);
        QApplication::processEvents();
    }
    if (!area.grab().save(file))
        std::cerr << "cannot save " << file.toStdString() << '\n';
}

} // namespace rps::test
