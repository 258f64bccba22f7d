// The test program's output goes to the console, where the runner reads it;
// its exit code is left in the page's title.
'use strict';
var Module = {
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onAbort: () => { document.title = 'exit 134'; },
};
