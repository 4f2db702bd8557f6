// Any text must be read or refused without a crash, a hang or undefined behaviour; a refusal says
// why; a reading gives finite, non-negative figures from the rows below or from the geometry.
#include "designation/calculator.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

using namespace mhbk::designation;

class Rows : public SectionRows {
public:
    Rows()
    {
        add(QStringLiteral("HBeam"), {{"No", "H400×200"}, {"H", "400"}, {"B", "200"}, {"t1", "8"}, {"t2", "13"}, {"r", "13"},
                                      {"A", "83.37"}, {"G", "65.4"}, {"S", "1.56"}, {"Base", "是"}, {"No2017", "HN400×200"},
                                      {"Class2017", "HN"}, {"Check", "通过"}});
        add(QStringLiteral("HBeam"), {{"No", "H100×50"}, {"H", "95"}, {"B", "48"}, {"t1", "3.2"}, {"t2", "4.5"}, {"r", "8"},
                                      {"A", "7.620"}, {"G", "5.98"}, {"S", "0.362"}, {"No2017", "HT100×50"}, {"Check", "通过"}});
        add(QStringLiteral("HBeam"), {{"No", "H100×50"}, {"H", "97"}, {"B", "49"}, {"t1", "4"}, {"t2", "5.5"}, {"r", "8"},
                                      {"A", "9.370"}, {"G", "7.36"}, {"S", "0.368"}, {"No2017", "HT100×50"}, {"Check", "通过"}});
        add(QStringLiteral("ChannelProps"), {{"No", "20a"}, {"h", "200"}, {"b", "73"}, {"d", "7.0"}, {"t", "11.0"},
                                             {"r", "11.0"}, {"A", "28.83"}, {"G", "22.6"}, {"S", "0.654"}, {"Check", "通过"}});
        add(QStringLiteral("AngleProps"), {{"No", "6.3"}, {"b", "63"}, {"d", "6"}, {"r", "7"}, {"A", "7.288"}, {"G", "5.72"},
                                           {"S", "0.247"}, {"Check", "通过"}});
        add(QStringLiteral("PurlinC"), {{"No", "C160×60×20×2.5"}, {"h", "160"}, {"b", "60"}, {"c", "20"}, {"t", "2.5"},
                                        {"G", "5.87"}, {"Check", "不符"}});
    }
    const std::vector<TableRow> &rows(const QString &table) const override
    {
        const auto it = rows_.find(table);
        return it == rows_.end() ? none_ : it->second;
    }

private:
    void add(const QString &table, std::initializer_list<std::pair<const char *, const char *>> fields)
    {
        TableRow row;
        row.number = static_cast<int>(rows_[table].size()) + 1;
        for (const auto &[name, value] : fields)
            row.fields.insert(QString::fromUtf8(name), QString::fromUtf8(value));
        rows_[table].push_back(row);
    }
    std::map<QString, std::vector<TableRow>> rows_;
    std::vector<TableRow> none_;
};

bool sane(double value)
{
    return std::isfinite(value) && value >= 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Rows rows;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const AnswerResult result = answerFor(text, rows, 7.85);
    if (!result.answer) {
        if (result.error.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const Answer &a = *result.answer;
    if (!sane(a.weight) || !sane(a.area) || !sane(a.surface) || !sane(a.surfaceWithoutTop) || a.surfaceWithoutTop > a.surface)
        std::abort();
    if (a.reading.count < 1 || a.readAs.isEmpty() || a.source.isEmpty())
        std::abort();
    const Totals t = totalsFor(a, 6, 4);
    if (!sane(t.weight) || !sane(t.surface))
        std::abort();
    return 0;
}
