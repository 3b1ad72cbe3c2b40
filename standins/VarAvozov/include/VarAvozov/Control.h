#ifndef VARAVOZOV_CONTROL_H
#define VARAVOZOV_CONTROL_H

// Test control of the stand-in video component: what tests and the shell use to
// see the calls a component received, to make it emit its signals and to steer its
// answers. Everything here runs on the GUI thread, like the component itself.
//
// Journal
//   Every call of the component's interface is recorded with all its arguments,
//   per instance and per window key (the text given with SetWebUUID). A key's journal
//   starts with the constructor of the instance that got the key (entries made before
//   SetWebUUID are copied in when the key is set) and survives the instance's
//   destruction ("~WebClientComponents()" is its last entry) until it is cleared.
//   The class-wide InitStreamClient/UninitStreamClient are only counted.
//
//   Text lines: one per call, operation name and its arguments in call order:
//     OnStopPlay(2)
//     OnPlay("s1", "rtsp://h/7", "u", "p", "area", "cam", "<?xml ...>\n<Permission>...", "", 0, 0, WebCameraStruct{...}, 3, 0)
//     ControlFishEyePTZ(4294967295, true, 5, 0)
//   - integers in decimal (unsigned parameters as unsigned), enumerations as their int
//   - bool as true / false
//   - float as the shortest text that reads back as the same float (0.1f gives 0.1)
//   - texts (QString and std::string) in double quotes; backslash, double quote,
//     \n, \r, \t are escaped with a backslash, other control characters as \u00XX;
//     everything else as is (UTF-8)
//   - vectors as [a, b, c]
//   - records as Name{field=value, ...}, fields in declaration order:
//     WebCameraStruct{fecPlaceType=, abilityType=[...], timeZone=TimeZoneInfo{id=, utcBias=,
//       dst=, daylightBias=, dstStartMonth=, dstEndMonth=, dstStartWeek=, dstEndWeek=,
//       dstStartDay=, dstEndDay=, dstStartHour=, dstEndHour=, dstStartMinute=,
//       dstEndMinute=, timeType=}, extendInfo=""}
//     HeatMapDownloaderParam{siteID=, cameraID=, startTime=, endTime=, heatMapType=,
//       queryType=, maxValue=, minValue=, guid=""}
//     PresetStruct{presetID=, presetName="", cameraID=, channel=, presetType=, posX=, posY=,
//       pan=, tilt=, zoom=, reserved=}
//     CruisePointStruct{cruisePointID=, preset=PresetStruct{...}, sequence=, stayTime=, speed=}
//   - the constructor is "WebClientComponents(workMode, splitType, "language", wndMode, wndNum)"
//     (the parent is not written), the destructor "~WebClientComponents()"
//   - GetFishEyePTZPreset records the record as it came in, before it is filled
//   Structured entries carry the same arguments as QVariants: integers, bools, floats,
//   QString (std::string as QString from UTF-8), vectors as QVariantList, records as
//   QVariantMap keyed by the field names above.
//
// Failing construction
//   After failNextConstruction(n) the next n constructions throw std::bad_alloc from the
//   constructor, before the instance exists (no journal entry, not live). A host creates
//   the component inside try { ... } catch (const std::bad_alloc &) and treats the catch
//   as "the component could not be created".
//
// Panes
//   A component shows n × n panes for split type n (1..8; 0 or less gives 1, more than
//   8 gives 8), at most wndNum of them when wndNum is not 0; SetNumberOfWindows(n > 0)
//   makes it n panes (at most 64) in the smallest square grid that holds them, filled
//   row by row, the rows sharing the height. Pane 0 is selected at first. OnPlay starts a pane
//   (wndIndex outside the grid: ignored), OnStopPlay / OnStopTotal stop them.
//   A pane's camera id is the last run of decimal digits in its url (0 when none).
//   Mouse: any press emits SignalMousePressed(); a left press in a pane then selects it
//   and emits SignalSetSelectedWnd(pane, cameraID, siteID, false) (0 and "" for an idle
//   pane); the wheel emits SignalWheelEvent(angle delta y); a left double click toggles
//   the component's full screen (the pane double-clicked fills the widget) and emits
//   SignalEnteredFullScreen(guid) or SignalQuitedFullScreen(guid). In full screen
//   paneRect gives the whole widget for that pane and an empty rectangle for the others.
//
// Answers
//   GetComponentGuid: "{5a1d0000-0000-4000-8000-NNNNNNNNNNNN}", NNNN the instance's serial
//   number (1, 2, ... in construction order, never reused), distinct per instance.
//   HandleRequest: the answer set with setHandleRequestAnswer, or else the compact JSON
//   {"request":<request text>,"uuid":<window key>}.
//   GetFishEyePTZPreset: fills posX, posY and zoom from setPresetAnswer (0, 0, 0 at
//   start), keeps the other fields, returns true.
//   StartDownloadCameraHeatValue: returns true; after heatMapDelay() ms (default 30; 0
//   is still later, from the event loop; less than 0: never) the component emits
//   SignalHeatMap(data, max, min, guid of the query) where, unless setHeatMapAnswer gave
//   other values, data is "heat:<siteID>:<cameraID>:<startTime>:<endTime>:<heatMapType>:
//   <queryType>" and max, min are the query's. A component deleted before that emits
//   nothing.
//   SetTranslateFile, SetLocalConfig, InitLoginInfo, SetHubToken, SetVanePlayInfo,
//   ControlFishEyePTZ return true.

#include <VarAvozov/WebClientComponents.h>

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace varavozov {

struct JournalEntry
{
    QString strComponentGuid;   // the instance that took the call
    QString strUUID;            // its window key at the time (empty before SetWebUUID)
    QString strOperation;       // e.g. "OnPlay", "WebClientComponents", "~WebClientComponents"
    QVariantList args;          // arguments in call order
    QString strLine;            // the call as one text line
};

// Live instances, in construction order.
VARAVOZOV_EXPORT QList<WebClientComponents *> liveComponents();
// The most recently created live instance with this window key, or nullptr.
VARAVOZOV_EXPORT WebClientComponents *findComponent(const QString &uuid);
// Window keys of the live instances (empty keys left out), in construction order.
VARAVOZOV_EXPORT QStringList liveKeys();
// The instance's guid and key, read without a journal entry ("" for nullptr).
VARAVOZOV_EXPORT QString componentGuid(const WebClientComponents *component);
VARAVOZOV_EXPORT QString componentKey(const WebClientComponents *component);

// Journal of one live instance, or of a window key (see above). Unknown: empty.
VARAVOZOV_EXPORT QList<JournalEntry> journal(const WebClientComponents *component);
VARAVOZOV_EXPORT QList<JournalEntry> journal(const QString &uuid);
VARAVOZOV_EXPORT QStringList journalLines(const WebClientComponents *component);
VARAVOZOV_EXPORT QStringList journalLines(const QString &uuid);
VARAVOZOV_EXPORT void clearJournal(const WebClientComponents *component);
VARAVOZOV_EXPORT void clearJournal(const QString &uuid);
VARAVOZOV_EXPORT void clearAllJournals();

// The 18 signal names, in declaration order.
VARAVOZOV_EXPORT QStringList signalNames();
// Emits a signal by name (e.g. "SignalHeatMap"). Each argument is converted to the
// signal's parameter type (QVariant conversion; texts "true"/"false" for bool, decimal
// texts for numbers). Fails, with a reason in *pError, for a null or unknown component,
// an unknown name, a wrong argument count or an argument that does not convert.
VARAVOZOV_EXPORT bool emitSignal(WebClientComponents *component, const QString &name,
                                 const QVariantList &args, QString *pError = nullptr);
VARAVOZOV_EXPORT bool emitSignal(const QString &uuid, const QString &name,
                                 const QVariantList &args, QString *pError = nullptr);
VARAVOZOV_EXPORT bool emitSignalText(WebClientComponents *component, const QString &name,
                                     const QStringList &args, QString *pError = nullptr);
VARAVOZOV_EXPORT bool emitSignalText(const QString &uuid, const QString &name,
                                     const QStringList &args, QString *pError = nullptr);

// Answers (process-wide, kept until changed or reset()).
VARAVOZOV_EXPORT void setPresetAnswer(float fPosX, float fPosY, int iZoom);
VARAVOZOV_EXPORT void setHeatMapDelay(int iMilliseconds);
VARAVOZOV_EXPORT int heatMapDelay();
// A null data text goes back to the default answer.
VARAVOZOV_EXPORT void setHeatMapAnswer(const QString &data, int max, int min);
// A null text goes back to the default echo.
VARAVOZOV_EXPORT void setHandleRequestAnswer(const QString &answer);
VARAVOZOV_EXPORT void failNextConstruction(int count = 1);
VARAVOZOV_EXPORT int pendingConstructionFailures();

VARAVOZOV_EXPORT int initStreamClientCount();
VARAVOZOV_EXPORT int uninitStreamClientCount();

// Back to the start: journals (instance and key) cleared, counts 0, answers and delay
// at their defaults, no construction failure pending. Live instances stay live.
VARAVOZOV_EXPORT void reset();

// What a live instance shows (nullptr or a bad index: 0, -1, empty rectangle, false).
VARAVOZOV_EXPORT int paneCount(const WebClientComponents *component);
VARAVOZOV_EXPORT int selectedPane(const WebClientComponents *component);
VARAVOZOV_EXPORT QRect paneRect(const WebClientComponents *component, int pane);
VARAVOZOV_EXPORT bool isPanePlaying(const WebClientComponents *component, int pane);
VARAVOZOV_EXPORT bool isFullScreen(const WebClientComponents *component);

} // namespace varavozov

#endif // VARAVOZOV_CONTROL_H
