// Typical mistakes of a page script. Each line marked with an error number must fail to
// compile with that error, and no other line may fail.
import { WindowControl, ErrorCode, request, onNotification, parseNotification, type Notification } from 'windowcontrol';

const wc = new WindowControl();
const uuid = 'a1b2';

request(wc, 'StartPlay', { uuid, wndIndex: '1' }); // TS2322 a number as text
request(wc, 'CreateWnd', { uuid, embed: 'true' }); // TS2322 a flag as text
request(wc, 'StopPlay', { sequence: 7, uuid }); // TS2322 a numeric sequence is echoed as ""
request(wc, 'SetWndCover', { uuid, position: 'middle', size: 20 }); // TS2322 no such side
request(wc, 'CreateWnd', { uuid, rect: { x: 0, y: 0, width: 10, height: 10 } }); // TS2353 a screen rectangle, not a page one
request(wc, 'StopPlay', { uuid, wndindex: 1 }); // TS2561 a misspelt field
request(wc, 'StartPlayback', { uuid }); // TS2345 no such method
wc.StartPlay({ uuid, wndIndex: 1 }); // TS2345 the methods take JSON text
const preset = request(wc, 'StopPlay', { uuid }).presetInfo; // TS2339 only GetFishEyePTZPreset replies with it
if (request(wc, 'CreateWnd', { uuid }).errorCode === 5002) console.log(preset); // TS2367 no such code
console.log(ErrorCode.NoWindow); // TS2339 no such constant
wc.SetCallback((note: Notification) => console.log(note.cmd)); // TS2345 the callback gets the text

const note = parseNotification('{}');
if (note.cmd === 'window.selectWindow') console.log(note); // TS2367 an unknown cmd
if (note.cmd === 'play.wheelEvent') console.log(note.wndIndex); // TS2339 not in this notification
if (note.cmd === 'play.wheelEvent') { const delta: number = note.delta; console.log(delta); } // TS2322 a decimal text
wc.SetCallback(onNotification({ 'play.wheel': () => {} })); // TS2353 an unknown cmd
