// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FrameGuard.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace quillery {

namespace {

// Runs in each frame whose document the engine gives scripts to, before the page's own.
// A blank frame that a script makes runs nothing of its own, so the frame that made it
// sweeps it: whenever anything is inserted into one of its documents (a frame exists from
// its insertion on), whenever a frame element's window is asked for, and whenever a frame
// loads. Each frame swept loses its peer connections, and a click on a link to javascript:
// does nothing there. Everything the script uses is taken before the page can change it;
// elements are told by what they are, not by what their prototype says.
constexpr char GuardScript[] = R"((() => {
const apply = Reflect.apply, describe = Object.getOwnPropertyDescriptor;
const define = Object.defineProperty, has = WeakSet.prototype.has, add = WeakSet.prototype.add;
const swept = new WeakSet(), top = window, listen = EventTarget.prototype.addEventListener;
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
const getter = (type, name) => describe(type.prototype, name).get;
const localName = getter(Element, 'localName'), namespace = getter(Element, 'namespaceURI');
const anchorHref = getter(HTMLAnchorElement, 'href'), areaHref = getter(HTMLAreaElement, 'href');
const getAttribute = Element.prototype.getAttribute, getAttributeNS = Element.prototype.getAttributeNS;
const composedPath = Event.prototype.composedPath, preventDefault = Event.prototype.preventDefault;
const Url = URL, protocol = getter(URL, 'protocol'), baseUri = getter(Node, 'baseURI');
const Html = 'http://www.w3.org/1999/xhtml', Svg = 'http://www.w3.org/2000/svg';
function linkAddress(node) {
  const name = apply(localName, node, []), space = apply(namespace, node, []);
  if (space === Html && name === 'a') return apply(anchorHref, node, []);
  if (space === Html && name === 'area') return apply(areaHref, node, []);
  if (space === Svg && name === 'a')
    return apply(getAttribute, node, ['href']) ??
           apply(getAttributeNS, node, ['http://www.w3.org/1999/xlink', 'href']);
  return null;
}
function runsScript(address, node) {
  try { return apply(protocol, new Url(address, apply(baseUri, node, [])), []) === 'javascript:'; }
  catch (e) { return false; }
}
function refuseScriptLinks(event) {
  const nodes = apply(composedPath, event, []);
  for (let i = 0; i < nodes.length; ++i) {
    let address = null;
    try { address = linkAddress(nodes[i]); } catch (e) { continue; }
    if (address !== null && runsScript(address, nodes[i])) return apply(preventDefault, event, []);
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
    apply(listen, win, ['DOMNodeInserted', () => sweep(top), true]);
    // A frame's load does not reach its parent's window, only its document.
    apply(listen, doc, ['load', () => sweep(top), true]);
    apply(listen, win, ['click', refuseScriptLinks, true]);
    guardFrameElements(win);
  }
  const count = apply(getLength, lengthOf, [doc]);
  const frames = count ? apply(count, win, []) : 0;
  for (let i = 0; i < frames; ++i) sweep(win[i]);
}
sweep(top);
})();)";

} // namespace

void guardFrames(QWebEngineProfile *profile)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("quillery-no-peer-connections"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(GuardScript));
    profile->scripts()->insert(script);
}

} // namespace quillery
