#include "runtime/core/services.h"

#include <cmath>
#include <map>

#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/heap.h"
#include "runtime/core/program_directory.h"
#include "runtime/core/property_host.h"
#include "runtime/core/runtime_error.h"

namespace talv {
namespace {

std::map<int32_t, ServiceHandler>& Handlers() {
  static std::map<int32_t, ServiceHandler> handlers;
  return handlers;
}

int32_t TruncateToInt32(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 2147483647.0) return INT32_MAX;
  if (d <= -2147483648.0) return INT32_MIN;
  return int32_t(d);
}

void* FindObject(int32_t window_id, int32_t control_id) {
  PropertyHost* host = CurrentPropertyHost();
  return host ? host->LiveObject(window_id, control_id) : nullptr;
}

}  // namespace

int32_t NumericToInt32(const TypedValue& value) {
  switch (value.type) {
    case TypeCode::Byte:
      return int32_t(value.lo & 0xFF);
    case TypeCode::Short:
      return int32_t(int16_t(value.lo & 0xFFFF));
    case TypeCode::Int:
    case TypeCode::Long:
      return int32_t(value.lo);
    case TypeCode::Float:
      return TruncateToInt32(AsFloat(value));
    case TypeCode::Double:
      return TruncateToInt32(AsDouble(value));
    default:
      RaiseRuntimeError(0, "欲转换数据类型不是数值", 0, 0);
  }
}

intptr_t CommandService(int32_t code, intptr_t arg1, intptr_t arg2) {
  switch (code) {
    case ServiceCode::ToInteger: {
      const auto* value = reinterpret_cast<const TypedValue*>(arg1);
      if (!value) RaiseRuntimeError(0, "欲转换数据类型不是数值", 0, 0);
      return NumericToInt32(*value);
    }
    case ServiceCode::ProgramDirectory:
      return reinterpret_cast<intptr_t>(ProgramDirectory());
    case ServiceCode::FindObject:
      return reinterpret_cast<intptr_t>(FindObject(int32_t(arg1), int32_t(arg2)));
    case ServiceCode::RequireObject: {
      void* object = FindObject(int32_t(arg1), int32_t(arg2));
      if (!object)
        RaiseRuntimeError(0, "指定窗口或窗口组件不存在或尚未载入", int32_t(arg1), int32_t(arg2));
      return reinterpret_cast<intptr_t>(object);
    }
    case ServiceCode::Allocate:
      return reinterpret_cast<intptr_t>(arg2 == 0 ? Allocate(size_t(arg1))
                                                  : TryAllocate(size_t(arg1)));
    case ServiceCode::Free:
      Free(reinterpret_cast<void*>(arg1));
      return 0;
    case ServiceCode::Reallocate:
      return reinterpret_cast<intptr_t>(Reallocate(reinterpret_cast<void*>(arg1), size_t(arg2)));
    case ServiceCode::ReportError:
      RaiseRuntimeError(0, reinterpret_cast<const char*>(arg1), 0, 0);
    case ServiceCode::ExitProgram:
      ExitProgram(int32_t(arg1));
    default: {
      auto& handlers = Handlers();
      auto found = handlers.find(code);
      return found == handlers.end() ? 0 : found->second(arg1, arg2);
    }
  }
}

void SetServiceHandler(int32_t code, ServiceHandler handler) {
  if (handler)
    Handlers()[code] = handler;
  else
    Handlers().erase(code);
}

}  // namespace talv
