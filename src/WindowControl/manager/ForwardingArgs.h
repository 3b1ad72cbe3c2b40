#pragma once

#include <QJsonObject>
#include <QString>

// Fields of the requests that pass one setting on to the video component.

struct ChangePlayModeArgs { int iType = 0; };
struct SetLanguageTypeArgs { QString strType; };
struct SetTranslateFileArgs { QString strLanguage; };
struct SwitchToSimpleArgs { int iSimple = 0; };
struct SetFirstDayOfWeekArgs { int iFirstDay = 0; };
struct SetDragModeArgs { int iDrag = 0; };
struct SetNumberOfWindowsArgs { int iNumber = 0; };

ChangePlayModeArgs readChangePlayModeArgs(const QJsonObject &request);
SetLanguageTypeArgs readSetLanguageTypeArgs(const QJsonObject &request);
SetTranslateFileArgs readSetTranslateFileArgs(const QJsonObject &request);
SwitchToSimpleArgs readSwitchToSimpleArgs(const QJsonObject &request);
SetFirstDayOfWeekArgs readSetFirstDayOfWeekArgs(const QJsonObject &request);
SetDragModeArgs readSetDragModeArgs(const QJsonObject &request);
SetNumberOfWindowsArgs readSetNumberOfWindowsArgs(const QJsonObject &request);
