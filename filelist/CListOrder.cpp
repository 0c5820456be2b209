#include "CListOrder.h"

#include "tListedFile.h"

#include <CFile.h>

#include <QListWidgetItem>

QString CListOrder::Name(tOrder order)
{
    switch (order) {
    case ByDate:
        return tr("By &date");
    case ByWavelength:
        return tr("By &wavelength");
    case ByLength:
        return tr("By &length");
    default:
        return tr("By &name");
    }
}

CListOrder::tOrder CListOrder::FromInt(int value)
{
    return value > ByName && value < OrderCount ? tOrder(value) : ByName;
}

double CListOrder::Length(const sor::CFile& file)
{
    const std::deque<sor::tKeyEvent>& events = file.KeyEvents();
    if (!events.empty())
        return double(file.TimeToDistance(events.back().time));
    return double(file.TimeToDistance(file.FixedParameters().acquisitionRange));
}

bool CListOrder::Less(tOrder order, const QListWidgetItem* a, const QListWidgetItem* b)
{
    const auto fileOf = [](const QListWidgetItem* item) -> const sor::CFile* {
        const QSharedPointer<tListedFile> listed = item->data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
        return listed ? listed->file.data() : nullptr;
    };
    const int byName = QString::compare(a->text(), b->text());
    if (order == ByName)
        return byName < 0;
    const sor::CFile* const first = fileOf(a);
    const sor::CFile* const second = fileOf(b);
    if (!first || !second)
        return first || second ? first != nullptr : byName < 0;
    const auto key = [order](const sor::CFile& file) -> double {
        switch (order) {
        case ByDate:
            return double(file.FixedParameters().dateTime.toSecsSinceEpoch());
        case ByWavelength:
            return double(float(file.GeneralParameters().wavelength));
        default:
            return Length(file);
        }
    };
    const double firstKey = key(*first);
    const double secondKey = key(*second);
    return firstKey != secondKey ? firstKey < secondKey : byName < 0;
}
