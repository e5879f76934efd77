// The host application's settings: named boolean values, kept for the life of the process.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "platform/pendrel/host_app.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ApplicationSettings final : public SimpleUnknownImp1<ITarnApplicationSettings, 1> {
 public:
  HRESULT GetBoolValue(IQuorString* key, BOOL defaultValue, BOOL* value) override;
  HRESULT SetBoolValue(IQuorString* key, BOOL value) override;

  void Clear();

 private:
  std::mutex m_mutex;
  std::map<std::u16string, BOOL> m_values;
};

}  // namespace PendrelHost
