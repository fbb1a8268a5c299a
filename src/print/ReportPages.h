#pragma once
// What each planned page of a report says: its section title and its body as text tables, and
// the header blocks every page carries. Read from the working image when asked.
#include "forms/fields/FieldRules.h"
#include "model/ConfigImage.h"
#include "print/PagePlan.h"
#include "print/ReportTables.h"

#include <string>
#include <vector>

namespace rps::print {

inline constexpr int kReportTitleText = 163; // "Programming Data Report"
inline constexpr int kPageText = 165;        // "Page"
inline constexpr int kChannelInfoTitleText = 841;

// Language texts of the report that are this program's own.
inline constexpr int kProductTitleText = 216;   // "Product Information"
inline constexpr int kModelText = 217;          // "Model"
inline constexpr int kModelCodeText = 218;      // "Model Code"
inline constexpr int kDataVersionText = 219;    // "Data Version"
inline constexpr int kChecksumText = 220;       // "Checksum"
inline constexpr int kChannelText = 221;        // "Channel"
inline constexpr int kTotalPagesText = 222;     // "Total Pages"
inline constexpr int kTestModeTitleText = 223;  // "Test Mode"
inline constexpr int kRadioInfoTitleText = 224; // "Radio Information"
inline constexpr int kAlignmentText = 225;      // "Alignment Data"
inline constexpr int kCwIdTitleText = 226;      // "CW ID"
inline constexpr int kExportPdfText = 227;      // "Export PDF..." (File menu)
inline constexpr int kHeaderText = 228;         // "Header" (the dialog's group of header blocks)
inline constexpr int kStartChannelText = 229;
inline constexpr int kEndChannelText = 230;
inline constexpr int kUnitRecordText = 231;
inline constexpr int kExportPdfTitleText = 232;
inline constexpr int kPdfFilterText = 233;
inline constexpr int kPdfFailedText = 234;

// A report of the configuration: the plan and the texts of each page.
class ReportPages {
public:
    ReportPages(ConfigImage& image, const fields::FieldEnv& env, uint32_t flags, int startChannel,
                int endChannel, Orientation orientation);

    const std::vector<PageEntry>& plan() const { return plan_; }
    uint32_t flags() const { return flags_; }
    const fields::FieldEnv& env() const { return env_; }

    // The header blocks every page carries, one table per selected block.
    SectionBody headerBlocks() const;
    std::string title(const PageEntry& page) const;
    SectionBody body(const PageEntry& page) const;

private:
    SectionBody formBody(std::string_view key, const PageEntry& page) const;
    SectionBody userBody(const PageEntry& page) const;
    SectionBody productBody() const;

    ConfigImage& image_;
    fields::FieldEnv env_;
    uint32_t flags_;
    Orientation orientation_;
    std::vector<PageEntry> plan_;
};

// The form key of show that a page kind prints, "" for pages of their own.
std::string_view formKeyOf(PageKind kind);

} // namespace rps::print
