// The toolkits' contract kept by the browser toolkit, in Chromium with real keys and clicks.
#include "browser_driver.h"
#include "toolkit_contract.h"

namespace orvanta::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Browser, ToolkitContract, web::testing::BrowserDriver);

}  // namespace orvanta::contract
