#pragma once
// The tuning (alignment) items a technician can adjust in test mode: a fixed table of commands,
// not fields of the image. Each row names the item's text, the spacing the radio must use while
// it is adjusted, its adjustment points with the command byte of each point, the range and
// display codes, and which model group lists it.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rps {

inline constexpr int kTuningItemRows = 90;
inline constexpr int kTuningItemKeys = 72;
inline constexpr int kTuningMaxPoints = 7;

// Destination bits: which model group lists a row.
inline constexpr uint8_t kTuningForOtherModels = 0x01; // model code neither 0x0402 nor 0x0702
inline constexpr uint8_t kTuningForFirstGroup = 0x02;  // model code 0x0402 or 0x0702

struct TuningItem {
    int key;                                              // 0..71
    int nameText;                                         // language text of the list row and dialog caption
    uint8_t spacing;                                      // 0..4, sent as a spacing letter
    uint8_t pointType;                                    // 1, 6 or 7
    uint8_t rangeCode;                                    // 0..5
    uint8_t displayCode;                                  // 0..5: the adjustment dialog's layout
    uint8_t transmit;                                     // 1: the dialog's TX button is enabled
    uint8_t width;                                        // bytes per value on the wire
    std::array<uint8_t, kTuningMaxPoints> commands;       // command byte per point
    std::array<uint8_t, kTuningMaxPoints> secondCommands; // second value set (key 43 only)
    uint8_t destinations;
};

// The 90 rows in list order.
std::span<const TuningItem> tuningItems();

// The rows listed for a model code, in table order (one row per listed key).
std::vector<const TuningItem*> tuningItemsForModel(uint16_t modelCode);
bool isFirstTuningGroup(uint16_t modelCode);

// The row of a key for a model code; nothing when the model does not list the key.
const TuningItem* tuningItemForKey(int key, uint16_t modelCode);

int tuningPointCount(const TuningItem& item);
// Language texts of the point labels (tab captions).
std::vector<int> tuningPointLabels(const TuningItem& item);
// Command byte of a point (0 .. pointCount-1).
uint8_t tuningCommand(const TuningItem& item, int point);

// Number of values the adjustment dialog shows (two for display code 2: Gain A and Gain B).
int tuningValueCount(const TuningItem& item);

// 'F', 'G', 'L', 'M', 'C' for spacing 0..4.
char spacingLetter(int spacing);

// Layouts of the adjustment dialog by display code.
enum class TuningLayout { SingleValue, TwoValues, Automatic, LockVoltage };
TuningLayout tuningLayout(const TuningItem& item);
// "Current value" label: text 690 for display codes 0, 3, 4, 5, else 726.
int tuningCurrentLabelText(const TuningItem& item);
// Apply button: text 48 for items with more than one point, else 47.
int tuningApplyText(const TuningItem& item);

// Shown range of a range code (range code 4 shows -62..62; 5 shows value - 128).
struct TuningRange {
    int shownMin;
    int shownMax;
    int rawMin;
    int rawMax;
};
TuningRange tuningRange(int rangeCode);

// Raw value (as the radio holds it) to shown value and back.
int tuningShownValue(int rangeCode, int raw);
int tuningRawValue(int rangeCode, int shown);

// A spin or slider step on an item: range code 4 steps the raw value r +- 1 within 0..123
// (stepping the shown value would stick at 0, where +1 maps back to the raw value of 0).
// Other codes step the raw value within their range. Nothing when the step leaves the range.
std::optional<int> tuningStepRaw(int rangeCode, int raw, int delta);

} // namespace rps
