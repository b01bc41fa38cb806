// Times the page over http in Chromium, from choosing each log to data-state=done, several runs
// each, with DXCC chosen as the user's dxcc.txt, and prints one line per log: its path and the
// median seconds. For scripts/bench, which sets T2C_PLAYWRIGHT (playwright-core's folder) and
// T2C_CHROMIUM (the browser).
//   node bench/page.mjs PAGE_DIR RUNS DXCC LOG...
import {createRequire} from 'node:module';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const [pageDir, runs, dxcc, ...logs] = process.argv.slice(2);
const {chromium} = createRequire(import.meta.url)(process.env.T2C_PLAYWRIGHT);
const server = http.createServer((request, response) => {
  const file = path.join(pageDir, request.url === '/' ? 'index.html' : path.normalize(request.url));
  if (!fs.existsSync(file)) return response.writeHead(404).end();
  response.writeHead(200, {'content-type': file.endsWith('.html') ? 'text/html' : file.endsWith('.css') ? 'text/css' : 'text/javascript'});
  response.end(fs.readFileSync(file));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const browser = await chromium.launch({
  executablePath: process.env.T2C_CHROMIUM,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run'],
});
try {
  for (const log of logs) {
    const seconds = [];
    for (let run = 0; run < Number(runs); run++) {
      // A fresh page each run, as a user would have it: nothing of the run before held in memory.
      const page = await browser.newPage();
      await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
      await page.waitForSelector('body[data-state=ready]');
      await page.setInputFiles('#dxcc', dxcc);
      const start = performance.now();
      await page.setInputFiles('#log', log);
      await page.waitForSelector('body:is([data-state=done], [data-state=confirm], [data-state=failed])', {timeout: 300000});
      seconds.push((performance.now() - start) / 1000);
      const state = await page.getAttribute('body', 'data-state');
      if (state !== 'done') throw new Error(`${log}: the page ended ${state}: ${await page.textContent('#status')}`);
      await page.close();
    }
    seconds.sort((a, b) => a - b);
    console.log(`${log} ${seconds[Math.floor((seconds.length - 1) / 2)].toFixed(3)}`);
  }
} finally {
  await browser.close();
  server.close();
}
