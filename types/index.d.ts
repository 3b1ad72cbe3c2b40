// Declarations of the package entry (lib/index.js): the script class with its 42 methods,
// the requests' fields and the replies' keys, the notifications the callback receives, the
// error numbers, and the typed helpers.
//
// A request is one JSON object text. Its fields are read leniently (a field of the wrong
// JSON type reads as the empty text, 0 or false), so every field may be left out; the types
// below say what each field should be for the request to mean something.

/** A page rectangle, device pixels. */
export interface PageRect {
  left: number;
  top: number;
  width: number;
  height: number;
}

/** The two keys every request carries. */
export interface RequestEnvelope {
  /** The page's tag, echoed in the reply (a number is echoed as the empty text). */
  sequence?: string;
  /** The window key; the browser window carries it in its title. */
  uuid?: string;
}

/** A fisheye PTZ position. */
export interface PresetInfo {
  posX?: number;
  posY?: number;
  /** Whole number. */
  zoom?: number;
}

export interface Permission {
  liveView?: number;
  playback?: number;
  videoSearch?: number;
  manualRecording?: number;
  twoWayAudio?: number;
  ptzControl?: number;
  capturePrint?: number;
  volume?: number;
}

export interface TimeZoneInfo {
  id?: number;
  utcBias?: number;
  dst?: boolean;
  daylightBias?: number;
  dstStartMonth?: number;
  dstEndMonth?: number;
  dstStartWeek?: number;
  dstEndWeek?: number;
  dstStartDay?: number;
  dstEndDay?: number;
  dstStartHour?: number;
  dstEndHour?: number;
  dstStartMinute?: number;
  dstEndMinute?: number;
  orbitTimeType?: number;
}

export interface PlayOptions {
  secretKey?: string;
  multiStreamProto?: number;
  dualStream?: number;
  /** -1 when left out. */
  fecPlaceType?: number;
  abilityType?: number[];
  timeZoneInfo?: TimeZoneInfo;
}

export interface CruisePoint {
  presetNo?: number;
  sequence?: number;
  staySeconds?: number;
  speed?: number;
  presetInfo?: PresetInfo;
}

export interface HeatMapQuery {
  /** Date and time as text, "2024-01-02 03:04:05". */
  startTime?: string;
  endTime?: string;
  queryType?: number;
  heatMapType?: number;
  siteID?: number;
  cameraID?: number;
  minValue?: number;
  maxValue?: number;
  /** Comes back in "window.heatMap". */
  guid?: string;
}

/** The fields of each JSON request besides "sequence" and "uuid". */
export interface RequestFields {
  StartService: { options?: { /** Relative to the running application's folder. */ dllPath?: string } };
  StopService: {};
  RequestInterface: { requestParams?: { [key: string]: unknown } };
  CreateWnd: {
    rect?: PageRect;
    /** "Chrome", "IEFrame", another class name, or "" for any class. */
    className?: string;
    /** Default true. */
    embed?: boolean;
    /** A native window handle as decimal text. */
    parentWnd?: string;
    activeXParentWnd?: boolean;
    workMode?: number;
    /** Default 2. */
    splitType?: number;
    languageType?: string;
    wndMode?: number;
    /** Default 64. */
    wndNum?: number;
  };
  ShowWnd: {};
  HideWnd: {};
  DestroyWnd: {};
  SetWndGeometry: { rect?: PageRect; /** Compared as text: "1700000000000". */ timestamp?: string };
  SetWndCover: { position?: 'left' | 'right' | 'top' | 'bottom'; size?: number };
  ChangePlayMode: { type?: number };
  SetLanguageType: { type?: string };
  InitLoginInfo: {
    hubAddress?: string;
    hubPort?: number;
    sessionID?: string;
    loginModel?: number;
    userType?: string;
    networkType?: string;
  };
  SetTranslateFile: { language?: string };
  SwitchToSimple: { simple?: number };
  UpdateParentWnd: {};
  /** rect in window coordinates. */
  CuttingPartWindow: { rect?: PageRect; round?: number };
  RepairPartWindow: { rect?: PageRect; round?: number };
  SetFirstDayOfWeek: { firstDay?: number };
  SetHubToken: { token?: string };
  StartPlay: {
    wndIndex?: number;
    siteID?: string;
    url?: string;
    username?: string;
    password?: string;
    /** Base64 of UTF-8 text. */
    areaName?: string;
    /** Base64 of UTF-8 text. */
    cameraName?: string;
    permission?: Permission;
    options?: PlayOptions;
  };
  StopPlay: { wndIndex?: number };
  SetPreview3DPosition: { open?: number };
  StopTotal: {};
  SetDragMode: { drag?: number };
  /** error: Base64 of UTF-8 text; type: default 1. */
  ShowErrorInfoInFullScreen: { error?: string; type?: number };
  SetNumberOfWindows: { number?: number };
  GetFishEyePTZPreset: { wndIndex?: number };
  SetFishEyePTZPreset: { command?: number; wndIndex?: number; presetInfo?: PresetInfo };
  ControlFishEyePTZ: { command?: number; stop?: boolean; speed?: number; wndIndex?: number };
  ControlFishEyeParol: { command?: number; wndIndex?: number; cruisePointList?: CruisePoint[] };
  SetVanePlayInfo: {
    guid?: string;
    protocal?: string;
    session?: string;
    token?: string;
    ip?: string;
    port?: number;
    accessPath?: string;
  };
  SetWndAutoPanState: { wndIndex?: number; open?: boolean };
  StartDownloadCameraHeatValue: { param?: HeatMapQuery };
  OpenPtzWnd: { wndIndex?: number; open?: boolean };
  /** message: passed to the video component unread. */
  HandleRequest: { message?: string };
  TriggerMouseEvent: {};
  GrabOpen: {};
  RestoreWnd: {};
  SimMouseClickEvent: { pointX?: number; pointY?: number };
}

/** The 39 methods that take a JSON request and return a JSON reply. */
export type RequestMethod = keyof RequestFields;

/** A whole request: the envelope and the request's own fields. */
export type Request<M extends RequestMethod> = RequestEnvelope & RequestFields[M];

/** The error modules: "errorModule" of a failed reply. */
export declare const ErrorModule: {
  /** Success, and the requests without a reply. */
  readonly None: 0;
  /** Video requests. */
  readonly Video: 3;
  /** Window and service requests. */
  readonly Window: 5;
};
export type ErrorModule = (typeof ErrorModule)[keyof typeof ErrorModule];

/** The error codes: "errorCode" of a reply. */
export declare const ErrorCode: {
  /** Success; also a request for a key that names no window. */
  readonly Success: 0;
  /** The request text is not JSON; "sequence" and "uuid" are then empty. */
  readonly NotJson: 1;
  /** StartService: the plug-in library cannot be loaded. */
  readonly LibraryNotLoaded: 4;
  /** CreateWnd: the video component or the plug-in window could not be made. */
  readonly WindowNotMade: 5000;
  /** CreateWnd: no browser window carries the key; ShowWnd or UpdateParentWnd attach later. */
  readonly NoBrowserWindow: 5001;
};
export type ErrorCode = (typeof ErrorCode)[keyof typeof ErrorCode];

/** The module each request reports its failures with. */
export interface RequestModules {
  StartService: 5; StopService: 5; RequestInterface: 5; CreateWnd: 5; ShowWnd: 5; HideWnd: 5;
  DestroyWnd: 5; SetWndGeometry: 5; SetWndCover: 5; ChangePlayMode: 5; SetLanguageType: 5;
  InitLoginInfo: 5; SetTranslateFile: 5; SwitchToSimple: 5; UpdateParentWnd: 5; CuttingPartWindow: 5;
  RepairPartWindow: 5; SetFirstDayOfWeek: 5; SetHubToken: 3; StartPlay: 3; StopPlay: 3;
  SetPreview3DPosition: 3; StopTotal: 3; SetDragMode: 3; ShowErrorInfoInFullScreen: 3;
  SetNumberOfWindows: 3; GetFishEyePTZPreset: 3; SetFishEyePTZPreset: 3; ControlFishEyePTZ: 3;
  ControlFishEyeParol: 3; SetVanePlayInfo: 3; SetWndAutoPanState: 3; StartDownloadCameraHeatValue: 3;
  OpenPtzWnd: 3; HandleRequest: 5; TriggerMouseEvent: 5; GrabOpen: 5; RestoreWnd: 5;
  SimMouseClickEvent: 5;
}

/** The keys of every reply. */
export interface ReplyEnvelope<M extends RequestMethod = RequestMethod> {
  sequence: string;
  uuid: string;
  errorModule: 0 | RequestModules[M];
  errorCode: ErrorCode;
}

/** The keys three replies add. */
export interface ReplyExtras {
  GetFishEyePTZPreset: { presetInfo: { posX: number; posY: number; zoom: number } };
  HandleRequest: { message: string };
  RequestInterface: { responseMsg: { [key: string]: unknown } };
}

/** A parsed reply. */
export type Reply<M extends RequestMethod> = ReplyEnvelope<M> &
  (M extends keyof ReplyExtras ? ReplyExtras[M] : {});

/** A JSON request text: what the methods take. */
export type RequestText = string;
/** A JSON reply text: what the methods return. */
export type ReplyText = string;

/** Keys and numbers of the component's notifications. */
interface ComponentNote<C extends string> {
  cmd: C;
  uuid: string;
  errorModule: 0;
  errorCode: 0;
}

/** What the callback receives, parsed, by "cmd". Numbers of the component are decimal texts. */
export interface NotificationPayloads {
  'window.selectWnd': { wndIndex: string; cameraID: string; siteID: string; opendFisheye: boolean };
  'window.togglePTZ': { cameraID: string; siteID: string };
  'play.updateCameraIcon': { cameraID: string; playing: string; siteID: string };
  'play.talkUrlEmpty': { cameraID: string };
  'play.gotoPlayback': { cameraID: string; siteID: string };
  'play.previewWnd3DPostion': { startX: string; startY: string; endX: string; endY: string };
  'play.stopPlayAll': {};
  'play.wheelEvent': { delta: string };
  'window.quitedFullScreen': {};
  'play.manuallyClose': { wndIndex: string; cameraID: string; siteID: string };
  'play.fisheyeExpandChanged': { wndIndex: string; cameraID: string; siteID: string; open: boolean };
  'play.getVanePlayInfo': { siteID: string; guid: string };
  /** stop: 1 when stopping, else 0. */
  'play.wndPtzControl': { wndIndex: string; cameraID: string; command: number; speed: number; stop: number };
  'window.heatMap': { guid: string; data: string; max: number; min: number };
  'play.update3DState': { wndIndex: string; siteID: string; cameraID: string; opend: boolean };
  'window.sendMessage': { message: string };
}

/** A picture of a window: on GrabOpen, and every 200 ms for a floating window of the active browser. */
export interface PictureNotification {
  cmd: 'window.messageCallBack';
  uuid: string;
  sequence: '';
  data: { type: 'menuOpen'; message: { /** JPEG, Base64. */ image: string } };
}

/** A message a plug-in library pushed; uuid is empty when it names no window. */
export interface IntegrationNotification {
  cmd: 'window.integrationCallBack';
  uuid: string;
  sequence: '';
  responseMsg: { [key: string]: unknown };
}

export type NotificationCmd = keyof NotificationPayloads | PictureNotification['cmd'] | IntegrationNotification['cmd'];

/** One notification, by its "cmd". */
export type NotificationOf<C extends NotificationCmd> = C extends keyof NotificationPayloads
  ? ComponentNote<C> & NotificationPayloads[C]
  : C extends PictureNotification['cmd']
    ? PictureNotification
    : IntegrationNotification;

/** Any notification; switch on "cmd" to narrow it. */
export type Notification = { [C in NotificationCmd]: NotificationOf<C> }[NotificationCmd];

/** Handlers by "cmd", for onNotification. */
export type NotificationHandlers = { [C in NotificationCmd]?: (note: NotificationOf<C>) => void };

/** The script class. Several objects may be made; they all talk to the same windows. */
export declare class WindowControl {
  constructor();

  /** Loads a plug-in library for this key. */
  StartService(request: RequestText): ReplyText;
  /** Lets go of the key's plug-in library. */
  StopService(request: RequestText): ReplyText;
  /** Parameters to the key's plug-in window; the answer comes back as "responseMsg". */
  RequestInterface(request: RequestText): ReplyText;
  /** Sets the one notification callback of the module (on any object it replaces it). */
  SetCallback(callback: (text: string) => void): void;
  /** Makes the window over the page rectangle, in the browser window whose title holds the key. */
  CreateWnd(request: RequestText): ReplyText;
  ShowWnd(request: RequestText): ReplyText;
  HideWnd(request: RequestText): ReplyText;
  DestroyWnd(request: RequestText): ReplyText;
  SetWndGeometry(request: RequestText): ReplyText;
  SetWndCover(request: RequestText): ReplyText;
  ChangePlayMode(request: RequestText): ReplyText;
  SetLanguageType(request: RequestText): ReplyText;
  InitLoginInfo(request: RequestText): ReplyText;
  SetTranslateFile(request: RequestText): ReplyText;
  SwitchToSimple(request: RequestText): ReplyText;
  UpdateParentWnd(request: RequestText): ReplyText;
  CuttingPartWindow(request: RequestText): ReplyText;
  RepairPartWindow(request: RequestText): ReplyText;
  SetFirstDayOfWeek(request: RequestText): ReplyText;
  SetHubToken(request: RequestText): ReplyText;
  StartPlay(request: RequestText): ReplyText;
  StopPlay(request: RequestText): ReplyText;
  SetPreview3DPosition(request: RequestText): ReplyText;
  StopTotal(request: RequestText): ReplyText;
  SetDragMode(request: RequestText): ReplyText;
  ShowErrorInfoInFullScreen(request: RequestText): ReplyText;
  SetNumberOfWindows(request: RequestText): ReplyText;
  GetFishEyePTZPreset(request: RequestText): ReplyText;
  SetFishEyePTZPreset(request: RequestText): ReplyText;
  ControlFishEyePTZ(request: RequestText): ReplyText;
  ControlFishEyeParol(request: RequestText): ReplyText;
  SetVanePlayInfo(request: RequestText): ReplyText;
  SetWndAutoPanState(request: RequestText): ReplyText;
  /** The bare text to every window's video component; no reply. */
  SetLocalConfig(config: string): void;
  /** The bare window key: closes the key's plug-in window; no reply. */
  ConnectClose(uuid: string): void;
  StartDownloadCameraHeatValue(request: RequestText): ReplyText;
  OpenPtzWnd(request: RequestText): ReplyText;
  HandleRequest(request: RequestText): ReplyText;
  TriggerMouseEvent(request: RequestText): ReplyText;
  /** "window.messageCallBack" reaches the callback before the reply. */
  GrabOpen(request: RequestText): ReplyText;
  RestoreWnd(request: RequestText): ReplyText;
  SimMouseClickEvent(request: RequestText): ReplyText;
}

/** Sends one request: its JSON text to the method, the reply parsed. */
export declare function request<M extends RequestMethod>(
  wc: WindowControl, method: M, fields: Request<M>): Reply<M>;

/** Parses a notification text. */
export declare function parseNotification(text: string): Notification;

/** A callback for SetCallback that hands each notification to the handler of its "cmd". */
export declare function onNotification(handlers: NotificationHandlers): (text: string) => void;

/** The shell: the Qt application on Node's loop, and the simulated desktop's controls. */
export declare const shell: { [control: string]: any };

/** The folder the add-ons were loaded from. */
export declare const buildDir: string;
