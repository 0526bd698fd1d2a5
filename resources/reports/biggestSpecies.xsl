<?xml version="1.0" encoding="UTF-8"?>
<!-- The biggest fish of each species: the heaviest, or the longest in a
     season scored by length. Ties share the place. rptBiggestSpecies (the
     season) and rptBiggestSpeciesTrip (one trip) import this and set $trip. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:qx="http://xmlsoft.org/XSLT/namespace" exclude-result-prefixes="qx">
  <xsl:import href="catchReports.xsl"/>
  <xsl:param name="trip" select="false()"/>

  <xsl:variable name="rows" select="document(concat($data, 'rptBiggestSpecies.xml'))/Data/Row"/>
  <xsl:variable name="first" select="$rows[1]"/>
  <xsl:variable name="byLength" select="normalize-space($first/scoringapplies) = 'L'"/>
  <!-- Rows are only ever at /Data/Row; the rooted pattern keeps the index
       from visiting every node of a season's file. A row has one species;
       speciesname[1], string(...) and number(...) below are evaluated
       directly, where a bare field name costs a walk of the whole row. -->
  <xsl:key name="species" match="/Data/Row" use="speciesname[1]"/>

  <!-- The species caught, once each, in name order: one sort of the catches,
       each name taken where it first appears in the sorted run. Testing every
       catch against its species' key group instead costs a copy of the whole
       group per catch. -->
  <xsl:variable name="speciesRun">
    <xsl:for-each select="$rows[speciesname]">
      <xsl:sort select="string(speciesname)"/>
      <s><xsl:value-of select="string(speciesname)"/></s>
    </xsl:for-each>
  </xsl:variable>
  <xsl:variable name="species" select="qx:node-set($speciesRun)/s[not(. = preceding-sibling::s[1])]"/>

  <xsl:template match="/">
    <html>
      <head>
        <title>Biggest Species</title>
        <meta name="orientation" content="landscape"/>
        <xsl:call-template name="style"/>
      </head>
      <body>
        <xsl:choose>
          <xsl:when test="$trip">
            <h1>Biggest Fish of Each Species: Trip <xsl:value-of select="$first/seasontripnumber"/></h1>
            <xsl:call-template name="trip-line"><xsl:with-param name="row" select="$first"/></xsl:call-template>
          </xsl:when>
          <xsl:otherwise>
            <h1>Biggest Fish of Each Species</h1>
            <xsl:call-template name="season-line"><xsl:with-param name="row" select="$first"/></xsl:call-template>
          </xsl:otherwise>
        </xsl:choose>
        <p class="small">
          <xsl:choose>
            <xsl:when test="$byLength">The season is scored by length: the longest fish of each species.</xsl:when>
            <xsl:otherwise>The heaviest fish of each species.</xsl:otherwise>
          </xsl:choose>
        </p>
        <table cellspacing="0" width="100%">
          <thead><tr>
            <th align="left">Species</th>
            <th align="left">Angler</th>
            <th align="left">Grade</th>
            <th>Weight<br/><span class="unit"><xsl:value-of select="$first/weightmeasurement"/></span></th>
            <th>Length<br/><span class="unit"><xsl:value-of select="$first/lengthmeasurement"/></span></th>
            <th>Line Class</th>
            <th>Released / Kept</th>
            <xsl:if test="not($trip)"><th>Trip</th><th>Date</th></xsl:if>
            <th>Fish</th>
          </tr></thead>
          <xsl:for-each select="$species">
            <xsl:variable name="shade" select="position() mod 2 = 0"/>
            <xsl:variable name="name" select="string(.)"/>
            <!-- key() looks in the document of the context node: the data file. -->
            <xsl:for-each select="$first">
            <xsl:variable name="all" select="key('species', $name)"/>
            <!-- The measure is chosen once, not per fish. -->
            <xsl:variable name="top">
              <xsl:choose>
                <xsl:when test="$byLength">
                  <xsl:for-each select="$all">
                    <xsl:sort select="number(specieslength)" data-type="number" order="descending"/>
                    <xsl:if test="position() = 1"><xsl:value-of select="number(specieslength)"/></xsl:if>
                  </xsl:for-each>
                </xsl:when>
                <xsl:otherwise>
                  <xsl:for-each select="$all">
                    <xsl:sort select="number(speciesweight)" data-type="number" order="descending"/>
                    <xsl:if test="position() = 1"><xsl:value-of select="number(speciesweight)"/></xsl:if>
                  </xsl:for-each>
                </xsl:otherwise>
              </xsl:choose>
            </xsl:variable>
            <xsl:variable name="topValue" select="number($top)"/>
            <xsl:variable name="best" select="$all[$byLength and number(specieslength) = $topValue
                                                  or not($byLength) and number(speciesweight) = $topValue]"/>
            <xsl:choose>
              <xsl:when test="number($top) &gt; 0">
                <xsl:for-each select="$best">
                  <tr><xsl:if test="$shade"><xsl:attribute name="bgcolor">#eef2f7</xsl:attribute></xsl:if>
                    <td nowrap="nowrap"><b><xsl:if test="position() = 1"><xsl:value-of select="speciesname"/></xsl:if></b></td>
                    <td nowrap="nowrap"><xsl:value-of select="fullname"/></td>
                    <td nowrap="nowrap"><xsl:value-of select="gradename"/></td>
                    <td align="right"><xsl:choose><xsl:when test="$byLength"><xsl:call-template name="weight"/></xsl:when><xsl:otherwise><b><xsl:call-template name="weight"/></b></xsl:otherwise></xsl:choose></td>
                    <td align="right"><xsl:choose><xsl:when test="$byLength"><b><xsl:call-template name="length"/></b></xsl:when><xsl:otherwise><xsl:call-template name="length"/></xsl:otherwise></xsl:choose></td>
                    <td align="right"><xsl:value-of select="lineclass"/></td>
                    <td align="center"><xsl:value-of select="releasekill"/></td>
                    <xsl:if test="not($trip)">
                      <td align="right"><xsl:value-of select="seasontripnumber"/></td>
                      <td align="right"><xsl:value-of select="tripdate"/></td>
                    </xsl:if>
                    <td align="right"><xsl:if test="position() = 1"><xsl:value-of select="count($all)"/></xsl:if></td>
                  </tr>
                </xsl:for-each>
              </xsl:when>
              <xsl:otherwise>
                <tr><xsl:if test="$shade"><xsl:attribute name="bgcolor">#eef2f7</xsl:attribute></xsl:if>
                  <td nowrap="nowrap"><b><xsl:value-of select="$all[1]/speciesname"/></b></td>
                  <td colspan="6"><span class="small">no fish measured</span></td>
                  <xsl:if test="not($trip)"><td></td><td></td></xsl:if>
                  <td align="right"><xsl:value-of select="count($all)"/></td>
                </tr>
              </xsl:otherwise>
            </xsl:choose>
            </xsl:for-each>
          </xsl:for-each>
        </table>
        <xsl:call-template name="legend"/>
        <p class="small">Fish: the number of fish of the species <xsl:choose><xsl:when test="$trip">on the trip</xsl:when><xsl:otherwise>in the season</xsl:otherwise></xsl:choose>.</p>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
