#pragma once

class CBidirectionalPanel;
class CEventList;
class CFileList;
class CLinkMap;

// Ties the link map to what the window shows: the verdicts judge bends
// against the trace the map compares with, a new choice of that trace
// refreshes the table and the list cards, and while the bidirectional panel
// shows a pair on the plot the map shows the pair's averaged events.
class CLinkMapLinks
{
public:
    static void Connect(CLinkMap* map, CEventList* events, CFileList* fileList, CBidirectionalPanel* bidirectional);
};
