#include "forms/FormCatalog.h"

#include "forms/channel/CBeatShiftView.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/feature/CScanInfoView.h"
#include "forms/feature/CSpecialView.h"

namespace rps {

const std::vector<FormDescriptor>& formCatalog()
{
    // Each forms folder adds its rows here as its forms are built.
    static const std::vector<FormDescriptor> catalog{
        {kChannelInformationCommand, 88, 841, &CChInfoView::create},
        // Opened from the channel forms, not from the Edit menu.
        {kChannelEditCommand, 0, 897, &CChEditView::create},
        {kBeatShiftCommand, 0, 906, &CBeatShiftView::create},
        {kScanInformationCommand, 74, 834, &CScanInfoView::create},
        {kAdvancedSettingsCommand, 90, 1356, &CSpecialView::create},
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
