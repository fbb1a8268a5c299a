#pragma once
// "Embedded Message w/Password": the two protected lines (declared in MessageFields), "Write",
// which sends them to the repeater under its password, and "Password Change". Both run the
// link operations of ProtectedMessage; the buttons stay disabled while one runs.
#include "forms/common/CFieldFormView.h"

class QPushButton;

namespace rps {

class CEmbPassView : public CFieldFormView {
    Q_OBJECT
public:
    CEmbPassView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QPushButton* writeButton() const { return write_; }
    QPushButton* passwordButton() const { return password_; }
    bool busy() const { return busy_; }

private:
    enum class Operation { Write, ChangePassword };
    void run(Operation operation);

    QPushButton* write_ = nullptr;
    QPushButton* password_ = nullptr;
    bool busy_ = false;
};

} // namespace rps
