// The stand-in host as the self-tests need it, started once per test program: the framework,
// the document and arithmetic objects, the test registry, and the module registered in-process
// (its enumerator classes and its self-test object).
#pragma once

namespace SelfTestHost {

void Start();

}  // namespace SelfTestHost
