#include <CSelection.h>

#include <QTest>

#include <algorithm>
#include <random>
#include <vector>

class tst_Selection : public QObject
{
    Q_OBJECT

private slots:
    // Every rank of lists with ties, in order, reversed and noisy: what std::nth_element finds.
    void findsEveryRank_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kind");
        for (const int count : { 1, 2, 16, 17, 141, 600 })
            for (const int kind : { 0, 1, 2, 3 })
                QTest::addRow("%d values, kind %d", count, kind) << count << kind;
    }
    void findsEveryRank()
    {
        QFETCH(int, count);
        QFETCH(int, kind);
        std::mt19937 random(quint32(count * 4 + kind));
        std::vector<double> values(size_t(count), 0.0);
        for (int i = 0; i < count; ++i)
            values[size_t(i)] = kind == 0 ? double(random() % 3)
                : kind == 1               ? double(i)
                : kind == 2               ? double(count - i)
                                          : std::abs(std::normal_distribution<double>(0.0, 50.0)(random));
        for (size_t k = 0; k < values.size(); ++k) {
            std::vector<double> expected = values;
            std::nth_element(expected.begin(), expected.begin() + std::ptrdiff_t(k), expected.end());
            std::vector<double> work = values; // only reordered, as the sorted lists show
            QCOMPARE(analysis::CSelection::Kth(work.data(), work.size(), k), expected[k]);
            std::sort(work.begin(), work.end());
            std::sort(expected.begin(), expected.end());
            QVERIFY(work == expected);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Selection)
#include "tst_selection.moc"
