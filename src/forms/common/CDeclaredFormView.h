#pragma once
// A form that is its declared fields: the controls over Close and Help, each stored edit
// answered the shared way. DTMF and NXDN are nothing more; other forms add a little to it.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CDeclaredFormView : public CFieldFormView {
    Q_OBJECT
public:
    // `key` names the declared form; it lives as long as the program (a literal or a constant).
    // A record form names its pages by pageTexts.
    CDeclaredFormView(FormContext& context, int command, std::string_view key, fields::FieldTable fields,
                      QWidget* parent = nullptr, std::vector<int> pageTexts = {});
};

} // namespace rps
