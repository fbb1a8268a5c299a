#include "forms/feature/FunctionTable.h"

#include <algorithm>
#include <array>

namespace rps::feature {

namespace {

struct Row {
    uint16_t code;
    int nameText;
};

// Code and name text, in the order the repeater's choice lists use.
constexpr Row kRows[] = {
    {0x2020, 1298}, {0x3123, 1175}, {0x3223, 1176}, {0x3323, 1177}, {0x3423, 1178}, {0x3523, 1179},
    {0x3723, 1180}, {0x3823, 1181}, {0x3923, 1182}, {0x3A23, 1183}, {0x3B23, 1184}, {0x3C23, 1185},
    {0x4123, 1186}, {0x4223, 1187}, {0x4323, 1188}, {0x4423, 1189}, {0x4523, 1190}, {0x4723, 1191},
    {0x4823, 1192}, {0x4923, 1193}, {0x4A23, 1194}, {0x4B23, 1195}, {0x4C23, 1196}, {0x5123, 1197},
    {0x5223, 1198}, {0x5323, 1199}, {0x5423, 1200}, {0x5523, 1201}, {0x5723, 1202}, {0x5823, 1203},
    {0x5923, 1204}, {0x5A23, 1205}, {0x5B23, 1206}, {0x5C23, 1207}, {0x0121, 1208}, {0x0221, 1209},
    {0x0321, 1210}, {0x0421, 1211}, {0x0521, 1212}, {0x0621, 1213}, {0x0721, 1214}, {0x0821, 1215},
    {0x0921, 1216}, {0x0A21, 1217}, {0x0B21, 1218}, {0x0C21, 1219}, {0x0D21, 1220}, {0x0E21, 1221},
    {0x0F21, 1222}, {0x1021, 1223}, {0x1121, 1313}, {0x1221, 1314}, {0x1321, 1315}, {0x1421, 1316},
    {0x1521, 1317}, {0x1621, 1318}, {0x1721, 1319}, {0x1821, 1320}, {0x1921, 1321}, {0x1A21, 1322},
    {0x1B21, 1323}, {0x1C21, 1324}, {0x1D21, 1325}, {0x1E21, 1326}, {0x3022, 1224}, {0x3122, 1225},
    {0x3133, 1226}, {0x3233, 1227}, {0x3333, 1228}, {0x3433, 1229}, {0x3533, 1230}, {0x3131, 1231},
    {0x3132, 1232}, {0x3232, 1233}, {0x3332, 1234}, {0x3432, 1235}, {0x3532, 1236}, {0x3632, 1237},
    {0x3732, 1238}, {0x3832, 1239}, {0x3135, 1246}, {0x3035, 1247}, {0x3235, 1248}, {0x3139, 1249},
    {0x3039, 1250}, {0x3239, 1251}, {0x303D, 1301}, {0x313D, 1302}, {0x323D, 1303}, {0x302F, 1252},
    {0x312F, 1253}, {0x322F, 1254}, {0x332F, 1255}, {0x312C, 1307}, {0x302C, 1308}, {0x322C, 1309},
    {0x312B, 1310}, {0x302B, 1311}, {0x322B, 1312}, {0x3125, 1265}, {0x3025, 1266}, {0x3225, 1267},
    {0x3150, 1268}, {0x3027, 1269}, {0x3127, 1270}, {0x3227, 1271}, {0x3037, 1272}, {0x3137, 1273},
    {0x3237, 1274}, {0x312E, 1275}, {0x332E, 1278}, {0x302E, 1276}, {0x322E, 1277}, {0x322A, 1279},
    {0x313E, 1305}, {0x323E, 1306}, {0x302D, 1280}, {0x312D, 1281}, {0x322D, 1282}, {0x3136, 1283},
    {0x3236, 1284}, {0x3336, 1285}, {0x4136, 1286}, {0x4236, 1287}, {0x4336, 1288}, {0x5136, 1289},
    {0x5236, 1290}, {0x5336, 1291}, {0x3134, 1292}, {0x3034, 1293}, {0x3234, 1294}, {0x3126, 1295},
    {0x3026, 1296}, {0x3226, 1297}, {0x3029, 1327}, {0x3129, 1328}, {0x3229, 1329},
};
static_assert(std::size(kRows) == kFunctionCount);

constexpr std::array<FunctionEntry, kFunctionCount> kTable = [] {
    std::array<FunctionEntry, kFunctionCount> table{};
    for (std::size_t i = 0; i < kFunctionCount; ++i)
        table[i] = {kRows[i].code, kRows[i].nameText, kFunctionHelpBase + kRows[i].nameText};
    return table;
}();

} // namespace

std::span<const FunctionEntry> functionTable()
{
    return kTable;
}

std::optional<std::size_t> functionIndex(uint16_t code)
{
    // Every function cell shown builds a list of the whole table: codes are found by halves.
    using CodeAndIndex = std::pair<uint16_t, std::size_t>;
    static const auto byCode = [] {
        std::array<CodeAndIndex, kFunctionCount> sorted{};
        for (std::size_t i = 0; i < kTable.size(); ++i)
            sorted[i] = {kTable[i].code, i};
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    const auto it = std::lower_bound(byCode.begin(), byCode.end(), CodeAndIndex{code, 0});
    if (it == byCode.end() || it->first != code)
        return std::nullopt;
    return it->second;
}

const FunctionEntry* findFunction(uint16_t code)
{
    const auto index = functionIndex(code);
    return index ? &kTable[*index] : nullptr;
}

} // namespace rps::feature
