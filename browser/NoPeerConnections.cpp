// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/NoPeerConnections.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace quillery {

namespace {

// Runs in each frame whose document the engine gives scripts to, before the page's own.
// A blank frame that a script makes runs nothing of its own, so the frame that made it
// sweeps it: whenever anything is inserted into one of its documents (a frame exists from
// its insertion on), whenever a frame element's window is asked for, and whenever a frame
// loads. Everything the sweep uses is taken before the page can change it.
constexpr char SweepScript[] = R"((() => {
const apply = Reflect.apply, describe = Object.getOwnPropertyDescriptor;
const define = Object.defineProperty, has = WeakSet.prototype.has, add = WeakSet.prototype.add;
const swept = new WeakSet(), top = window;
const names = ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel'];
const frameTypes = ['HTMLIFrameElement', 'HTMLFrameElement', 'HTMLObjectElement'];
const frameProperties = ['contentWindow', 'contentDocument'];
const lengthOf = new WeakMap(), getLength = WeakMap.prototype.get, setLength = WeakMap.prototype.set;
function guardFrameElements(win) {
  for (let t = 0; t < frameTypes.length; ++t) {
    const type = win[frameTypes[t]];
    const frameWindow = type && describe(type.prototype, 'contentWindow');
    for (let p = 0; frameWindow && p < frameProperties.length; ++p) {
      const found = describe(type.prototype, frameProperties[p]);
      // A frame with scripts of its own guards itself.
      if (!found || !found.get || !found.configurable) continue;
      const get = found.get;
      define(type.prototype, frameProperties[p], {configurable: false, enumerable: found.enumerable,
        get() {
          // Frames in a shadow tree are not among the window's frames.
          sweep(apply(frameWindow.get, this, []));
          sweep(top);
          return apply(get, this, []);
        }});
    }
  }
}
function sweep(win) {
  let doc;
  try { doc = win && win.document; } catch (e) { return; }
  if (!doc) return;
  if (!apply(has, swept, [doc])) {
    apply(add, swept, [doc]);
    for (let i = 0; i < names.length; ++i) delete win[names[i]];
    const length = describe(win, 'length');
    apply(setLength, lengthOf, [doc, length && length.get]);
    win.addEventListener('DOMNodeInserted', () => sweep(top), true);
    win.addEventListener('load', () => sweep(top), true);
    guardFrameElements(win);
  }
  const count = apply(getLength, lengthOf, [doc]);
  const frames = count ? apply(count, win, []) : 0;
  for (let i = 0; i < frames; ++i) sweep(win[i]);
}
sweep(top);
})();)";

} // namespace

void withoutPeerConnections(QWebEngineProfile *profile)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("quillery-no-peer-connections"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(SweepScript));
    profile->scripts()->insert(script);
}

} // namespace quillery
