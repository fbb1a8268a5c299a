#include "forms/FormCatalog.h"

#include "forms/channel/CBeatShiftView.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/CChInfoView.h"
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/FormCommands.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"
#include "forms/feature/CSpecialView.h"
#include "forms/feature/ScanFields.h"
#include "forms/signalling/CCWIDView.h"
#include "forms/signalling/CCWMesView.h"
#include "forms/signalling/CDtmfEncDecView.h"
#include "forms/signalling/CEmbPassView.h"
#include "forms/signalling/CEmbView.h"
#include "forms/signalling/CMultiView.h"
#include "forms/signalling/CRemoteView.h"
#include "forms/signalling/CTestFreqView.h"
#include "forms/signalling/CUserRecordsView.h"
#include "forms/signalling/DtmfFields.h"
#include "forms/signalling/NxdnFields.h"

#include <algorithm>
#include <array>

namespace rps {

namespace {

using enum FormPlace;

// The forms that are their declared fields and nothing more.
CFormView* createDtmfView(FormContext& context, QWidget* parent)
{
    return new CDeclaredFormView(context, kDtmfCommand, "dtmf", signalling::kDtmfFields, parent);
}

CFormView* createScanView(FormContext& context, QWidget* parent)
{
    return new CDeclaredFormView(context, kScanInformationCommand, "scan", kScanFields, parent);
}

CFormView* createNxdnView(FormContext& context, QWidget* parent)
{
    return new CDeclaredFormView(context, kNxdnCommand, "nxdn", signalling::kNxdnFields, parent);
}

// A new form is one row here: its command, Edit menu text, title and tree text, place and
// factory. Forms still to come have no factory; their Edit entries are shown disabled.
const std::array<FormDescriptor, 19> kCatalog{{
    {kChannelInformationCommand, 88, 841, EditMenuThenSeparator, &CChInfoView::create},
    {kOptionalFeaturesCommand, 73, 833, EditMenu, &CFeatureView::create},
    {kKeyAssignmentCommand, 72, 832, EditMenu, &CKeyView::create},
    {kScanInformationCommand, 74, 834, EditMenuThenSeparator, &createScanView},
    {kDtmfCommand, 79, 842, EditMenu, &createDtmfView},
    {kEncodeDecodeCommand, 75, 835, EditMenuThenSeparator, &CDtmfEncDecView::create},
    {kNxdnCommand, 80, 845, EditMenuThenSeparator, &createNxdnView},
    {kRemoteControlCommand, 76, 836, EditMenu, &CRemoteView::create},
    {kFunctionPortCommand, 85, 843, EditMenu, &CFuncPortView::create},
    {kMultiTableCommand, 77, 837, EditMenu, &CMultiView::create},
    {kCwMessageCommand, 78, 838, EditMenuThenSeparator, &CCWMesView::create},
    {kUserListCommand, 89, 844, EditMenuThenSeparator, &CUserRecordsView::create},
    {kTestFrequencyCommand, 81, 839, EditMenu, &CTestFreqView::create},
    {kEmbeddedMessageCommand, 82, 558, EditMenu, &CEmbView::create},
    {kEmbeddedPasswordCommand, 83, 840, EditMenuThenSeparator, &CEmbPassView::create},
    {kAdvancedSettingsCommand, 90, 1356, EditMenu, &CSpecialView::create},
    {kChannelEditCommand, 0, 897, FromOtherForms, &CChEditView::create},
    {kBeatShiftCommand, 0, 906, FromOtherForms, &CBeatShiftView::create},
    {kCwIdCommand, 0, 882, FromOtherForms, &CCWIDView::create},
}};

} // namespace

std::span<const FormDescriptor> formCatalog()
{
    return kCatalog;
}

const FormDescriptor* formRegistration(int command)
{
    const auto it = std::find_if(kCatalog.begin(), kCatalog.end(),
                                 [command](const FormDescriptor& form) { return form.command == command; });
    return it == kCatalog.end() ? nullptr : &*it;
}

const FormDescriptor* findForm(int command)
{
    const FormDescriptor* form = formRegistration(command);
    return form != nullptr && form->create != nullptr ? form : nullptr;
}

std::vector<EditMenuForm> editMenuForms()
{
    std::vector<EditMenuForm> entries;
    for (const FormDescriptor& form : kCatalog) {
        if (form.place != FromOtherForms)
            entries.push_back({form.command, form.menuText, form.place == EditMenuThenSeparator});
    }
    return entries;
}

} // namespace rps
