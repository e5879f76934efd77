#include "host/browser/page_shim.h"

#include <nlohmann/json.hpp>

namespace PendrelBrowser {

namespace {

// Installed once per page: the one function every object's methods call through.
constexpr char kCallFunction[] = R"JS(
if (!window.__pendrelCall) {
  const callUrl = CALL_URL;
  const heldUrl = HELD_URL;
  const callMarker = CALL_MARKER;
  // Taken before the page's own scripts run, so that they cannot replace it.
  const ask = window.prompt;
  const wellFormed = (text) => text.toWellFormed();
  const number = (n) => Number.isNaN(n) ? 'NaN' : Object.is(n, -0) ? '-0'
      : n === Infinity ? 'Infinity' : n === -Infinity ? '-Infinity' : n;
  const fromNumber = (n) => typeof n === 'number' ? n : n === 'NaN' ? NaN : n === '-0' ? -0
      : n === 'Infinity' ? Infinity : -Infinity;
  const isPlain = (v) => typeof v === 'object' && Object.getPrototypeOf(v) === Object.prototype;
  const encode = (v) => {
    if (v === undefined) return {u: 1};
    if (v === null) return {z: 1};
    if (typeof v === 'number') return {d: number(v)};
    if (typeof v === 'boolean') return {b: v};
    if (typeof v === 'string') return {s: wellFormed(v)};
    if (Array.isArray(v)) {
      if (v.every((x) => typeof x === 'number')) return {a: v.map(number)};
      if (v.every((x) => typeof x === 'string')) return {t: v.map(wellFormed)};
      return null;
    }
    if (isPlain(v)) {
      const o = {};
      for (const key of Object.keys(v)) {
        if (typeof v[key] !== 'string') return null;
        o[wellFormed(key)] = wellFormed(v[key]);
      }
      return {o};
    }
    return null;
  };
  // Little-endian doubles as base64.
  const doubles = (text) => {
    let bytes;
    if (Uint8Array.fromBase64) {
      bytes = Uint8Array.fromBase64(text);
    } else {
      const raw = atob(text);
      bytes = new Uint8Array(raw.length);
      for (let i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
    }
    return Array.from(new Float64Array(bytes.buffer, 0, bytes.length >> 3));
  };
  const decode = (r, bytes) => {
    if (!r || 'z' in r) return undefined;
    if ('d' in r) return fromNumber(r.d);
    if ('b' in r) return r.b;
    if ('s' in r) return r.s;
    if ('a' in r) return r.a.map(fromNumber);
    if ('f' in r) return doubles(bytes);
    if ('t' in r) return r.t;
    if ('o' in r) return r.o;
    return undefined;
  };
  const runAll = (texts) => {
    for (const text of texts) {
      try {
        (0, eval)(text);
      } catch (e) {
        console.error('Uncaught ' + ((e && e.stack) || e));
      }
    }
  };
  // The call goes to native code as a prompt, which the browser answers without the network;
  // where the page may not open one (a sandboxed frame, a page being unloaded) it goes as a
  // synchronous request.
  const request = (name, method, url, body) => {
    const r = new XMLHttpRequest();
    r.open(method, url, false);
    if (body !== undefined) r.setRequestHeader('Content-Type', 'text/plain;charset=UTF-8');
    r.send(body);
    if (r.status !== 200) throw new Error(name + ': the call did not reach native code');
    return r.responseText;
  };
  // A large answer is held by the browser for a request to fetch.
  const send = (name, call) => {
    const answer = ask.call(window, callMarker, call);
    if (answer === null) return request(name, 'POST', callUrl, call);
    if (!answer.startsWith('{"held":')) return answer;
    return request(name, 'GET', heldUrl + JSON.parse(answer).held);
  };
  Object.defineProperty(window, '__pendrelCall', {value: (object, method, args) => {
    const name = object + '.' + method;
    const encoded = [];
    for (let i = 0; i < args.length; ++i) {
      const e = encode(args[i]);
      if (!e) {
        throw new TypeError(name + ': argument ' + (i + 1) + ' cannot cross to native code ' +
            '(it takes numbers, booleans, strings, arrays of numbers or of strings, ' +
            'objects of strings, null and undefined)');
      }
      encoded.push(e);
    }
    // The answer, then the bytes of a number array result after a line break.
    const text = send(name, JSON.stringify({object, method, args: encoded}));
    const cut = text.indexOf('\n');
    const answer = JSON.parse(cut < 0 ? text : text.slice(0, cut));
    runAll(answer.run || []);
    if (answer.error !== undefined) throw new Error(answer.error);
    if (answer.failed) throw new Error(name + ' failed');
    return decode(answer.result, cut < 0 ? '' : text.slice(cut + 1));
  }});
}
)JS";

void Substitute(std::string* text, const std::string& marker, const std::string& value) {
  text->replace(text->find(marker), marker.size(), nlohmann::json(value).dump());
}

}  // namespace

std::string ScriptObjectShim(const std::string& name, const std::vector<std::string>& methods) {
  std::string script = "(function () {\n'use strict';\n";
  std::string callFunction = kCallFunction;
  Substitute(&callFunction, "CALL_URL", kCallPrefix);
  Substitute(&callFunction, "HELD_URL", kHeldAnswerPrefix);
  Substitute(&callFunction, "CALL_MARKER", kCallMarker);
  script += callFunction;
  const std::string quotedName =
      nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  script += "const object = {};\n";
  for (const std::string& method : methods) {
    const std::string quoted =
        nlohmann::json(method).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    script += "object[" + quoted + "] = function (...args) { return window.__pendrelCall(" +
              quotedName + ", " + quoted + ", args); };\n";
  }
  script += "window[" + quotedName + "] = object;\n})();\n";
  return script;
}

}  // namespace PendrelBrowser
