// What libTarn.so exports: its class-object entry and the inspection calls that the host
// application and the tests use. Everything else in the library stays hidden.
#pragma once

#define TARN_API __attribute__((visibility("default")))
