// What follows from a key is shown after the key's own character is
// painted: the browser paints the field at once, and the answer comes in
// a task after that paint, made once for however many keys came meanwhile.
let waiting = null;

// Does the waiting job now, if there is one: before a sheet is printed, a
// page saved or a command copied, which must show what was typed last.
export const settle = () => {
  const job = waiting;
  waiting = null;
  job?.();
};

// job, after the next paint; a later job takes the place of one still waiting.
export const afterPaint = (job) => {
  const first = waiting === null;
  waiting = job;
  if (!first) return;
  // A hidden page paints no frame to wait for.
  if (document.hidden) settle();
  else requestAnimationFrame(() => setTimeout(settle));
};

// A job that a newer state makes pointless (a link opened) is dropped.
export const drop = () => { waiting = null; };

// Whether nothing waits: for tests and benchmarks, which read the page
// once it has caught up.
export const idle = () => waiting === null;
