#pragma once

// The system's result codes, as far as the backend names them.
enum {
  // https://developer.apple.com/documentation/coreservices/1559969-general_system_errors/paramerr
  paramErr = -50,
  // https://developer.apple.com/documentation/coreservices/procnotfound
  procNotFound = -600
};
