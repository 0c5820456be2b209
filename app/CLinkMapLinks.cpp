#include "CLinkMapLinks.h"

#include "CBidirectionalPanel.h"

#include <CActiveVerdict.h>
#include <CEventList.h>
#include <CFileList.h>
#include <CLinkMap.h>
#include <CLinkMapModel.h>

#include <QPointer>

void CLinkMapLinks::Connect(CLinkMap* map, CEventList* events, CFileList* fileList, CBidirectionalPanel* bidirectional)
{
    // The pointer stays valid after the call: the list or the map's choice
    // owns the partner.
    analysis::CActiveVerdict::SetPartnerFinder(
        [guarded = QPointer<CLinkMap>(map)](const sor::CFile& file) -> const sor::CFile* {
            return guarded ? guarded->PartnerOf(file).data() : nullptr;
        });
    QObject::connect(map, &CLinkMap::sigPartnerChanged, events, &CEventList::OnUpdateView);
    QObject::connect(map, &CLinkMap::sigPartnerChanged, fileList, &CFileList::OnBackgroundChanged);
    if (!bidirectional)
        return;
    QObject::connect(bidirectional, &CBidirectionalPanel::sigUpdate, map, [map, bidirectional, fileList] {
        const bool shown = bidirectional->IsActive() && bidirectional->Result().Paired()
            && !bidirectional->Traces().empty() && fileList->GraphState().files == &bidirectional->Traces();
        if (shown)
            map->ShowResult(analysis::CLinkMapModel::Combined(bidirectional->Result()));
        else
            map->ClearResult();
    });
}
