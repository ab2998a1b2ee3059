#include "platform/default_ports.h"

#include "win32_ports.h"

namespace nv {

DefaultPorts MakeDefaultPorts() {
  DefaultPorts ports;
  ports.link = std::make_unique<Win32DeviceLink>();
  ports.probe = std::make_unique<Win32AdapterProbe>();
  ports.system = std::make_unique<Win32System>();
  ports.registry = std::make_unique<Win32Registry>();
  return ports;
}

}  // namespace nv
