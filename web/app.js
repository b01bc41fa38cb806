// The page's script, and its Worker's: hands the chosen log to the check, the converter and the
// ADIF writer of t2c.js (the programs themselves, compiled to WebAssembly), goes by the check's
// exit code as "Convert log.bat" does, and offers what they wrote.
'use strict';

const CHECK = 'tarnwick2corvane-check', CONVERTER = 'tarnwick2corvane', ADIF_WRITER = 'tarnwick2adif';

// ---- Where the programs run: in a Worker over http(s), on the page itself opened from disk,
// where a browser allows no Worker. Nothing here decides anything about a log.

let programs;  // the module, once loaded
const written = {};  // what each program wrote into a file of /out, by file name: its chunks

function loadModule() {
  return loadPrograms().then((module) => {
    const fs = module.FS;
    for (const dir of ['/in', '/out', '/run', '/work']) fs.mkdir(dir);
    fs.chdir('/work');
    // The outputs go to a device that keeps each write as it comes: a file of the in-memory
    // file system would be copied whole each time it grows.
    fs.registerDevice(fs.makedev(64, 0), {
      write: (stream, buffer, offset, length) => {
        written[stream.node.name].push(buffer.slice(offset, offset + length));
        return length;
      },
    });
    programs = module;
  });
}

// Runs a program on its command line: its exit code, and what it printed on its standard
// output and error, as bytes.
function run(program, ...args) {
  let code;
  try {
    code = programs.callMain([program, ...args]);
  } catch (error) {  // the module itself broke down: no program's exit code
    return {code: -1, out: new Uint8Array(), err: new TextEncoder().encode(String(error))};
  }
  return {code, out: programs.FS.readFile('/run/out'), err: programs.FS.readFile('/run/err')};
}

// The log and dxcc.txt in place; the ADIF options tried on the ADIF writer alone (on no file,
// so that it stops at the log when it takes them), then the check.
async function checkLog({log, dxcc, options}) {
  const fs = programs.FS;
  for (const name of fs.readdir('/in')) if (name !== '.' && name !== '..') fs.unlink('/in/' + name);
  const bytes = async (file) => new Uint8Array(await file.arrayBuffer());
  fs.writeFile('/work/dxcc.txt', dxcc ? await bytes(dxcc) : fs.readFile('/bundled/dxcc.txt'));
  if (options.length) {
    const tried = run(ADIF_WRITER, ...options, '/none/log.dbf', '/none/log.adi');
    if (tried.code === 3) return {refused: tried};
  }
  fs.writeFile('/in/' + log.name, await bytes(log), {canOwn: true});
  return {check: run(CHECK, '/in/' + log.name)};
}

// The converter, then the ADIF writer, on the log that checkLog put in place; each file as a Blob.
function writeFiles({log, name, options}) {
  const write = (program, file, ...args) => {
    const path = '/out/' + file;
    written[file] = [];
    programs.FS.mkdev(path, 0o666, programs.FS.makedev(64, 0));
    const result = run(program, ...args, '/in/' + log.name, path);
    programs.FS.unlink(path);
    result.blob = new Blob(written[file], {type: 'application/octet-stream'});
    delete written[file];
    return result;
  };
  const asc = write(CONVERTER, name + '.asc');
  return {asc, adi: asc.code === 0 ? write(ADIF_WRITER, name + '.adi', ...options) : null};
}

const STEPS = {check: checkLog, convert: writeFiles};

if (typeof document === 'undefined') {  // the Worker
  importScripts('t2c.js');
  const loaded = loadModule();
  onmessage = async (event) => {
    try {
      await loaded;
      postMessage(await STEPS[event.data.step](event.data));
    } catch (error) {  // a log too large for the browser's memory, say
      postMessage({error: String(error)});
    }
  };
  loaded.then(() => postMessage({ready: true}));
} else {
  page();
}

// ---- The page: the flow of the start file, its states and its words.

function page() {
  const $ = (id) => document.getElementById(id);
  const body = document.body, status = $('status'), report = $('report'), files = $('files');
  const anyway = $('anyway'), logInput = $('log'), reports = $('reports');
  const text = (bytes) => new TextDecoder().decode(bytes);
  const plural = (n, one, more) => (n === 1 ? `1 ${one}` : `${n} ${more}`);
  let step;  // sends a step to where the programs run, and resolves to its answer
  let urls = [];

  // Nothing can be chosen while the programs load or run: one run at a time.
  const setState = (state) => {
    body.dataset.state = state;
    for (const input of document.querySelectorAll('input')) input.disabled = state === 'loading' || state === 'working';
  };
  const say = (words) => { status.textContent = words; };
  // Lets the browser show the state before a run on the page's own thread holds it.
  const paint = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));

  function offer(file, blob) {
    const url = URL.createObjectURL(blob);
    urls.push(url);
    const item = document.createElement('li');
    item.append(Object.assign(document.createElement('a'), {href: url, download: file, textContent: file}),
      ` (${plural(blob.size, 'byte', 'bytes')})`);
    files.append(item);
  }

  function fail(words) {
    files.replaceChildren();
    anyway.hidden = true;
    say(words);
    setState('failed');
  }
  const guard = (promise) => promise.catch((error) => fail(`The page stopped: ${error.message}`));

  // The ADIF options as the writer's command line takes them; an empty box gives none.
  function adifOptions() {
    const options = [];
    for (const [id, option] of [['utc-offset', '--utc-offset'], ['station-callsign', '--station-callsign']]) {
      if ($(id).value !== '') options.push(option, $(id).value);
    }
    return options;
  }

  async function start(log) {
    files.replaceChildren();
    urls.forEach((url) => URL.revokeObjectURL(url));
    urls = [];
    anyway.hidden = report.hidden = reports.hidden = true;
    delete body.dataset.checkCode;
    setState('working');
    say(`Checking "${log.name}"…`);
    await paint();
    const job = {log, name: log.name.replace(/\.[^.]*$/, ''), options: adifOptions()};
    const answer = await step({step: 'check', dxcc: $('dxcc').files[0] || null, ...job});
    if (answer.refused) {
      return fail(`The ADIF writer refuses these options, so nothing was run. It says:\n\n${text(answer.refused.out)}` +
        text(answer.refused.err));
    }
    const checked = answer.check;
    body.dataset.checkCode = checked.code;
    if (![0, 4, 6].includes(checked.code)) {
      return fail(`${text(checked.err).trimEnd()}\nThe check stopped with this message, so the log was not converted.` +
        ' The README explains the message.');
    }
    report.textContent = text(checked.out);
    report.hidden = false;
    // The forecast's words 8 and 10: the records rejected and the deleted records skipped.
    const forecast = text(checked.out).split('\n')[0].split(' ');
    job.rejected = Number(forecast[7]);
    job.deleted = Number(forecast[9]);
    job.report = checked.code === 0 ? null : `${job.name} - check.txt`;
    if (job.report) offer(job.report, new Blob([checked.out], {type: 'text/plain'}));
    if (checked.code !== 6) return convert(job);
    say('The log keeps fields where the converter does not read them (see the field layout below): converted,' +
      ' their texts would land in the wrong fields of the import file. The README explains it.' +
      ' Nothing is converted unless you press "Convert anyway".');
    anyway.onclick = () => guard(convert(job));
    anyway.hidden = false;
    setState('confirm');
  }

  async function convert(job) {
    anyway.hidden = true;
    setState('working');
    say(`Converting "${job.log.name}" and writing it as ADIF…`);
    await paint();
    const {asc, adi} = await step({step: 'convert', log: job.log, name: job.name, options: job.options});
    const failed = asc.code !== 0 ? ['converter', asc] : adi.code !== 0 ? ['ADIF writer', adi] : null;
    if (failed) {
      // The failure's message is the last line on standard error, after any reports.
      return fail(`${text(failed[1].err).trimEnd().split('\n').pop()}\nThe ${failed[0]} stopped with this message:` +
        ' no file of this run is offered, since one cut short would lose contacts.');
    }
    offer(`${job.name}.asc`, asc.blob);
    offer(`${job.name}.adi`, adi.blob);
    const [contacts, adifContacts] = [asc, adi].map((r) => Number(/^Converted records:\t(\d+)$/m.exec(text(r.out))[1]));
    say(lastSentence(job, contacts, adifContacts));
    // What only the ADIF file leaves out is in no report above: the writer's own reports name it.
    $('writer').textContent = text(adi.err);
    reports.hidden = contacts === adifContacts;
    setState('done');
  }

  // The start file's last sentence, with the files' bare names.
  function lastSentence(job, contacts, adifContacts) {
    const parts = [];
    if (job.rejected) parts.push(job.rejected === 1 ? '1 record was rejected' : `${job.rejected} records were rejected`);
    if (job.deleted) parts.push(plural(job.deleted, 'deleted record skipped', 'deleted records skipped'));
    const leftOut = parts.join(' and ') || (job.report ? 'The check found more to look at' : 'Nothing was left out');
    const adifOnly = contacts - adifContacts;
    const adifWords = adifOnly ? ` The ADIF file leaves out ${adifOnly} more, as the ADIF writer's reports below say.` : '';
    const ready = `The files are ready: "${job.name}.asc", ${plural(contacts, 'contact', 'contacts')}, and` +
      ` "${job.name}.adi", ${plural(adifContacts, 'contact', 'contacts')}.`;
    if (job.report) return `${ready} ${leftOut}: see "${job.report}".${adifWords}`;
    return `${ready} ${leftOut}.${adifWords} Import the .asc in Corvane, or the .adi in any other logger.`;
  }

  const ready = () => { say('Choose the log, or drop it on this page.'); setState('ready'); };

  if (location.protocol === 'file:') {
    // Opened from disk: the programs run here, one at a time.
    const script = document.createElement('script');
    script.src = 't2c.js';
    script.onload = () => loadModule().then(() => {
      step = async (request) => STEPS[request.step](request);
      ready();
    });
    document.head.append(script);
  } else {
    const worker = new Worker('app.js');
    let answer;
    step = (request) => new Promise((resolve, reject) => {
      answer = (data) => (data.error ? reject(new Error(data.error)) : resolve(data));
      worker.postMessage(request);
    });
    worker.onmessage = (event) => (event.data.ready ? ready() : answer(event.data));
    worker.onerror = (event) => (answer ? answer({error: event.message}) : say(`The page could not start: ${event.message}`));
  }

  // Choosing the same log again runs it again.
  logInput.addEventListener('click', () => { logInput.value = ''; });
  logInput.addEventListener('change', () => logInput.files[0] && guard(start(logInput.files[0])));
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const log = event.dataTransfer.files[0];
    if (!log || logInput.disabled) return;
    logInput.files = event.dataTransfer.files;
    guard(start(log));
  });
}
