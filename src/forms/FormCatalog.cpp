#include "forms/FormCatalog.h"

#include "forms/channel/CChInfoView.h"

namespace rps {

const std::vector<FormDescriptor>& formCatalog()
{
    // Each forms folder adds its rows here as its forms are built.
    static const std::vector<FormDescriptor> catalog{
        {32773, 88, 841, &CChInfoView::create},
    };
    return catalog;
}

const FormDescriptor* findForm(int command)
{
    for (const FormDescriptor& form : formCatalog()) {
        if (form.command == command)
            return &form;
    }
    return nullptr;
}

} // namespace rps
