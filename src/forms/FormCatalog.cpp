#include "forms/FormCatalog.h"

#include "forms/channel/CBeatShiftView.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"

namespace rps {

const std::vector<FormDescriptor>& formCatalog()
{
    // Each forms folder adds its rows here as its forms are built.
    static const std::vector<FormDescriptor> catalog{
        {kChannelInformationCommand, 88, 841, &CChInfoView::create},
        // Opened from the channel forms, not from the Edit menu.
        {kChannelEditCommand, 0, 897, &CChEditView::create},
        {kBeatShiftCommand, 0, 906, &CBeatShiftView::create},
        {CKeyView::kCommand, 72, 832, &CKeyView::create},
        {CFuncPortView::kCommand, 85, 843, &CFuncPortView::create},
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
